#include "graph/GraphScheme.h"

namespace kl {

GraphScheme graphSchemeFromOption(int value) {
    if (value == 2) return GraphScheme::Blue;
    if (value == 3) return GraphScheme::ThreeD;
    return GraphScheme::TwoD;
}

SchemeColours schemeColours(GraphScheme scheme) {
    SchemeColours c;
    switch (scheme) {
    case GraphScheme::TwoD:
        c.background = c.frameFill = Rgb{236, 233, 216};
        break;
    case GraphScheme::Blue:
        c.background = c.frameFill = Rgb{0, 0, 255};
        c.frameOutline = 15;
        c.barFill = 15;
        c.gridLine = 15;
        c.gridDotted = true;
        c.labelText = 7;
        c.labelShadow = false;
        c.rotatedText = 15;
        c.rotatedShadow = false;
        c.theoreticalCurve = c.theoreticalLegend = 15;
        c.smoothedCurve = c.smoothedLegend = 11;
        c.referenceMarker = 11;
        c.probitCurve = 15;
        c.probitPointInside = 15;
        c.probitText = 7;
        c.probitBandLabel = 7;
        break;
    case GraphScheme::ThreeD:
        c.background = Rgb{220, 220, 220};
        c.frameFill = Rgb{236, 233, 216};
        c.gridLine = 15;
        c.gridDotted = true;
        // The theoretical curve is drawn as dots in 15 (and 14 on the back wall).
        c.theoreticalCurve = 15;
        c.theoreticalLegend = 15;
        c.smoothedCurve = c.smoothedLegend = 13;
        c.referenceMarker = 11;
        c.probitCurve = 8;
        c.probitPointInside = 15;
        break;
    }
    return c;
}

int probitLineColour(GraphScheme scheme, double percent) {
    bool band = percent == 2.5 || percent == 97.5;
    if (band) return 5;
    if (scheme != GraphScheme::TwoD) return 15;
    if (percent == 50.0) return 1;
    if (percent == 10.0 || percent == 90.0) return 10;
    return 14;
}

} // namespace kl
