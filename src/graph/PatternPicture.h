#pragma once
// The picture of the point patterns typical distributions leave on normal probability paper:
// eight small panels, each with its caption, plus the shape labels "Ｓ型" and "Ｎ型". It is drawn
// in its own units (868 × 710, one unit a pixel at full size) and stretched into any box of any
// canvas: the help window shows it reduced, the printed help page enlarged to 2170 × 1775.

#include "graph/Point.h"
#include "platform/Canvas.h"
#include "stats/GraphClasses.h"

#include <string>
#include <vector>

namespace kl {

inline constexpr double kPatternPictureWidth = 868;
inline constexpr double kPatternPictureHeight = 710;

// The shape labels, top-left of their text cells in picture units, and their cell height. The
// printed page writes them itself at the places these become at 2.5 units a picture unit.
inline constexpr Point kShapeLabelS{578, 146};
inline constexpr Point kShapeLabelN{404, 336};
inline constexpr double kShapeLabelHeight = 17;

struct PictureBox {
    double left = 0, top = 0, right = 0, bottom = 0; // picture units
    bool contains(Point p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
    bool overlaps(const PictureBox& o) const {
        return left <= o.right && o.left <= right && top <= o.bottom && o.top <= bottom;
    }
};

struct PictureText {
    Point at;          // top-left of the text cell
    double height = 0; // character cell height
    std::string text;
    int colour = Black;
    // The cells the text covers: a half-width character is half the height wide.
    PictureBox extent() const;
};

struct PatternPanel {
    PictureBox frame;          // the probability paper
    std::vector<Point> points; // the plotted cumulative proportions
    Point lineFrom, lineTo;    // the straight line normal data would follow
    std::vector<PictureText> captions;
};

// The eight panels in reading order (normal, outliers, heavy tails "Ｓ型", right skew; mixture,
// uniform "Ｎ型", dome, left skew), every coordinate in picture units.
const std::vector<PatternPanel>& patternPanels();

// The texts of the picture apart from the captions: scale labels, axis legend, shape labels.
std::vector<PictureText> patternPictureTexts(bool withShapeLabels);

// Where the picture goes on a canvas. unitsPerFontSize is how many canvas units one unit of font
// size is: 1 on window surfaces (sizes are pixels), kUnitsPerPoint on paper (sizes are points).
struct PictureFrame {
    double x = 0, y = 0, width = kPatternPictureWidth, height = kPatternPictureHeight;
    double unitsPerFontSize = 1;
};

void drawPatternPicture(Canvas& canvas, const PictureFrame& frame, bool withShapeLabels = true);

} // namespace kl
