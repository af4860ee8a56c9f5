#pragma once
// The curve drawer shared by the histogram and the probability plot: a clamped uniform cubic
// B-spline through control points, evaluated densely, as a point list and strokes.

#include "graph/Point.h"
#include "stats/GraphClasses.h"

#include <optional>
#include <span>
#include <vector>

namespace kl {

using Polyline = std::vector<Point>; // one point alone is a dot

struct CurvePath {
    std::vector<Point> controls; // after densifying (empty when no curve is drawn)
    std::vector<Point> points;   // every evaluated point, in order
    std::vector<Polyline> strokes;
    bool drawn() const { return !points.empty(); }
};

// 3 points become 7 (thirds of each leg), 4..6 points get the midpoints of their legs,
// 7 or more stay; fewer than 3 give nothing.
std::vector<Point> densifyControlPoints(std::span<const Point> controls);

// The spline's weights b0..b3 at t on segment j of n control points (n >= 7).
void splineWeights(int segment, int n, double t, double b[4]);

CurvePath drawCurve(std::span<const Point> controls);

// The mean x of the evaluated points with low < y < high, nothing when none lies in the band.
std::optional<double> bandMeanX(std::span<const Point> points, double low, double high);

struct Frame {
    double left = 0, top = 0, right = 0, bottom = 0;
};

// The strokes cut to the frame (edges included); a stroke leaving and re-entering is split.
std::vector<Polyline> clipStrokes(std::span<const Polyline> strokes, const Frame& frame);

} // namespace kl
