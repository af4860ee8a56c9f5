#pragma once
// The smoothed curve of the histogram: a cubic smoothing spline through the bar tops, written
// with truncated powers and divided differences; lambda sets its stiffness.

#include "graph/CurveDrawer.h"

#include <span>
#include <vector>

namespace kl {

enum class SmoothingFault {
    None,
    TooFewKnots, // fewer than 3 bars: no curve, not an error
    Singular,    // the system has no unique solution
    NotFinite,   // a coefficient or a value of the curve overflowed
};

class SmoothingSpline {
  public:
    // Fits through (x(i), y(i)); the knots must increase strictly.
    SmoothingSpline(std::span<const Point> knotsAndData, double lambda);

    SmoothingFault fault() const { return fault_; }
    double valueAt(double x) const;
    // The same with a caller's work buffer, for evaluating many points.
    double valueAt(double x, std::vector<double>& work) const;
    const std::vector<double>& coefficients() const { return u_; }

  private:
    std::vector<double> x_;
    std::vector<double> u_;
    double a0_ = 0, b1_ = 0;
    SmoothingFault fault_ = SmoothingFault::None;
};

// Solves g u = v in place (v receives u) by elimination with partial pivoting: the solution of
// elimination in natural order wherever that one succeeds, without its failures on zero or small
// pivots. False when the matrix is singular or holds a value that is not finite.
bool solveLinearSystem(std::vector<std::vector<double>>& g, std::vector<double>& v);

struct SmoothedCurve {
    SmoothingFault fault = SmoothingFault::None;
    std::vector<Point> kept; // evaluated every 0.5 px, inside x 70..650, y 60..509
    Polyline line;           // every second kept point, ending on the last one
};

// Knots at the bar centres, data at the bar tops; fault set when nothing may be drawn.
SmoothedCurve smoothHistogram(std::span<const Point> barTops, double lambda);

} // namespace kl
