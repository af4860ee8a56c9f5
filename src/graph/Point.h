#pragma once
// A point of a drawing, in the units of the surface it is drawn on.

namespace kl {

struct Point {
    double x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

} // namespace kl
