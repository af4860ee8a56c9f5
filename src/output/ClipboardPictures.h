#pragma once
// The pictures the graph window puts on the clipboard: the whole window with its controls' areas
// blanked and the title written in, and the histogram or the probability plot alone, cut from the
// window's image, blanked, titled and given rounded corners.

#include "graph/GraphScheme.h"
#include "platform/Canvas.h"

#include <array>
#include <string>
#include <string_view>

namespace kl {

inline constexpr int kHistogramPictureWidth = 700, kHistogramPictureHeight = 644;
inline constexpr int kPlotPictureWidth = 400, kPlotPictureHeight = 634;

// White run lengths (inclusive end offsets) of the rows 0..22 from a horizontal edge.
inline constexpr std::array<int, 23> kCornerProfile = {20, 17, 14, 11, 9, 7, 7, 6, 5, 4, 4, 3,
                                                       3,  2,  2,  1,  1, 1, 0, 0, 0, 0, 0};

// The colour the pictures blank with: the window background of the scheme.
Rgb clipboardBlankColour(GraphScheme scheme);

// The part of a bitmap inside (x, y, w, h); what lies outside the source stays black.
Bitmap cropBitmap(const Bitmap& source, int x, int y, int w, int h);

// The text cut to n half-width cells (trimmed first) and its x, centred on 70..650.
struct PictureTitle {
    std::string text;
    double x = 0;
};
PictureTitle pictureTitle(std::string_view title, int cells);

// Whole-window copy: blanks the control areas and writes the title on the window's surface.
// interval95 is the probability plot's 95 % option (CHECK7).
void markWholeWindow(Canvas& surface, GraphScheme scheme, bool interval95, std::string_view title);

// The single-graph pictures, drawn on a canvas of the picture's size from the window image.
void composeHistogramPicture(Canvas& picture, const Bitmap& window, GraphScheme scheme,
                             std::string_view title);
void composePlotPicture(Canvas& picture, const Bitmap& window, GraphScheme scheme, bool interval95);

// Whitens the four corners of a width x (bottom + 1) picture with the rounding profile.
void roundCorners(Canvas& picture, int width, int bottom);

} // namespace kl
