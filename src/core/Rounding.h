#pragma once

#include <QtGlobal>

// Nearest whole number, a half going to the even neighbour: how every stored number, bar and
// picture position of the program is rounded.
namespace Rounding {

// Whatever rounding mode the floating-point unit is in; NaN and the infinities come back as they
// are, and a negative value that rounds to zero gives -0 as std::nearbyint does.
double halfToEven(double value);

// numerator / denominator (denominator > 0) in whole numbers, so that a half is exactly a half.
qint64 divideHalfToEven(qint64 numerator, qint64 denominator);

} // namespace Rounding
