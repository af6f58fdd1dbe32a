#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The stored float form: the ten bytes of an 80-bit extended-precision value
// (64-bit significand with explicit integer bit, 15-bit exponent, sign), lowest
// byte first, as 20 upper-case hexadecimal digits. Done on the bit level so the
// result does not depend on the compiler's long double.
namespace Float80 {

QString toHex(double value);
// The same twenty digits as bytes, for writers that make no QString.
void toHexDigits(double value, char digits[20]);

// nullopt when the text does not hold ten hexadecimal pairs; an odd digit count
// gets a leading "0", digits past the tenth pair are ignored.
std::optional<double> fromHex(QStringView text);

// The raw conversions, exposed for tests.
void encode(double value, unsigned char bytes[10]);
double decode(const unsigned char bytes[10]);

} // namespace Float80
