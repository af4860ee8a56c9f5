#pragma once
// The whole picture of the graph window drawn onto a Canvas: background, option texts, legend,
// both frames with their scheme decorations, histogram, curves, reference markers and the normal
// probability paper with the 95 % interval. The window, its clipboard copies and the batch PNG all
// paint through this one function, so they cannot drift apart.

#include "data/Message.h"
#include "graph/GraphComputation.h"
#include "platform/Canvas.h"

#include <optional>
#include <string>
#include <string_view>

namespace kl {

// What the window's check boxes and the file line add to the picture.
struct GraphView {
    bool curves = false;     // RIRON: theoretical and smoothed curve with their legend
    bool reference = false;  // KIJUN: reference markers on both frames
    bool interval95 = false; // SINRA: crossing marks and the two interval texts
    std::string fileLine;    // the "File Name：" line; empty when left out
};

struct GraphDrawing {
    std::optional<Message> failure; // "BAD DATA(d)": the window closes
    IntervalLimit lower, upper;     // read from the curve when interval95 is on
};

// "File Name：" + the trimmed path cut to 75 characters ("～" after a cut path) + " (N=" + n + ")".
std::string graphFileLine(std::string_view path, long count);

// The smoothing coefficient as the box commits it: the leading number of the trimmed text,
// clamped to 0.1 .. 10000 (a clamp corrects the text and beeps).
struct SmoothingEntry {
    double lambda = 5000;
    std::string text;
    bool clamped = false;
};
SmoothingEntry commitSmoothingText(std::string_view typed);

// The coefficient read from its option: clamped to 0.1 .. 10000; unset or not a number gives 5000.
SmoothingEntry smoothingFromOption(const std::optional<std::string>& stored);

// Draws the full picture. The surface is cleared first. When the data cannot be graphed the frames
// and fixed texts are drawn and the failure is returned; a coordinate that is not finite stops the
// drawing with the same failure instead of reaching the canvas.
GraphDrawing paintGraphWindow(Canvas& canvas, const GraphInput& input, const GraphView& view);

} // namespace kl
