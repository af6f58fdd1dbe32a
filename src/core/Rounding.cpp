#include "Rounding.h"

#include <cmath>

namespace Rounding {

double halfToEven(double value)
{
    // value - floor(value) is exact for every double, so the comparison with 0.5 is too.
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        rounded = below + 1.0;
    return std::copysign(rounded, value);
}

qint64 divideHalfToEven(qint64 numerator, qint64 denominator)
{
    qint64 whole = numerator / denominator;
    const qint64 rest = numerator % denominator; // the sign of the numerator
    const qint64 twiceRest = 2 * (rest < 0 ? -rest : rest);
    if (twiceRest > denominator || (twiceRest == denominator && whole % 2 != 0))
        whole += numerator < 0 ? -1 : 1;
    return whole;
}

} // namespace Rounding
