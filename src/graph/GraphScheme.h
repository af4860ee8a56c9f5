#pragma once
// The three colour schemes of the graph window and the palette indexes each one fixes.

#include "platform/Canvas.h"

namespace kl {

enum class GraphScheme { TwoD = 1, Blue = 2, ThreeD = 3 };

// Option GRAPH: "1", "2", "3"; anything else is the default "2 D".
GraphScheme graphSchemeFromOption(int value);

struct SchemeColours {
    Rgb background;          // window background
    Rgb frameFill;           // frame fill (through palette entry 15)
    int frameOutline = 0;    // frame outline and ticks
    int barFill = 14;        // bar fill
    int gridLine = 14;       // major grid line
    bool gridDotted = false; // major grid line dotted ("2 D" draws it solid with a line under it)
    int labelText = 0;       // label text after its shadow
    bool labelShadow = true; // labels drawn first in 7 at (+1, +1)
    int rotatedText = 0;     // rotated labels (class labels)
    bool rotatedShadow = true;
    int theoreticalCurve = 1;
    int smoothedCurve = 10;
    int theoreticalLegend = 1; // legend strokes take their curve's colour
    int smoothedLegend = 10;
    int referenceMarker = 3;
    int probitCurve = 1;
    int probitPointInside = 0; // points between the 10 % and 90 % lines (widened by 3)
    int probitPointOutside = 5;
    int probitText = 0;      // interval texts and tick labels
    int probitBandLabel = 2; // " 2.5" and " 97.5" labels
};

SchemeColours schemeColours(GraphScheme scheme);

// Colour of the probit scale line at the given cumulative percentage.
int probitLineColour(GraphScheme scheme, double percent);

} // namespace kl
