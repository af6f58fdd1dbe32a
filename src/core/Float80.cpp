#include "Float80.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace Float80 {

namespace {

constexpr int kDoubleBias = 1023;
constexpr int kExtendedBias = 16383;

} // namespace

void encode(double value, unsigned char bytes[10])
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);

    std::uint64_t significand = 0;
    int extendedExponent = 0;
    if (exponent == 0x7FF) {
        // Infinity keeps only the integer bit; NaN keeps its payload as well.
        extendedExponent = 0x7FFF;
        significand = (std::uint64_t{1} << 63) | (fraction << 11);
    } else if (exponent == 0) {
        if (fraction != 0) {
            // Subnormal doubles are normal numbers in the wider exponent range.
            const int shift = std::countl_zero(fraction);
            significand = fraction << shift;
            extendedExponent = 1 - kDoubleBias - (shift - 11) + kExtendedBias;
        }
    } else {
        significand = (std::uint64_t{1} << 63) | (fraction << 11);
        extendedExponent = exponent - kDoubleBias + kExtendedBias;
    }
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>(significand >> (8 * i));
    const unsigned signExponent = (negative ? 0x8000u : 0u) | static_cast<unsigned>(extendedExponent);
    bytes[8] = static_cast<unsigned char>(signExponent & 0xFF);
    bytes[9] = static_cast<unsigned char>(signExponent >> 8);
}

double decode(const unsigned char bytes[10])
{
    std::uint64_t significand = 0;
    for (int i = 7; i >= 0; --i)
        significand = (significand << 8) | bytes[i];
    const unsigned signExponent = bytes[8] | (static_cast<unsigned>(bytes[9]) << 8);
    const bool negative = (signExponent & 0x8000u) != 0;
    const int exponent = static_cast<int>(signExponent & 0x7FFFu);
    const std::uint64_t signBit = negative ? (std::uint64_t{1} << 63) : 0;

    if (exponent == 0x7FFF) {
        const std::uint64_t payload = significand & ~(std::uint64_t{1} << 63);
        if (payload == 0)
            return std::bit_cast<double>(signBit | (std::uint64_t{0x7FF} << 52));
        return std::bit_cast<double>(signBit | (std::uint64_t{0x7FF} << 52) |
                                     std::max<std::uint64_t>(payload >> 11, 1) | (std::uint64_t{1} << 51));
    }
    if (significand == 0)
        return negative ? -0.0 : 0.0;

    // Normalise (an unnormal or pseudo-denormal has its integer bit clear).
    const int shift = std::countl_zero(significand);
    significand <<= shift;
    // Value = significand * 2^(e2) with significand read as an integer.
    int e2 = (exponent == 0 ? 1 : exponent) - kExtendedBias - 63 - shift;

    // Round the 64-bit significand to the 53 bits a double holds (or fewer when
    // the result is subnormal), nearest with ties to even.
    int unbiased = e2 + 63; // exponent of the leading bit
    int dropBits = 11;
    if (unbiased < 1 - kDoubleBias) {
        dropBits += (1 - kDoubleBias) - unbiased;
        if (dropBits > 64)
            return negative ? -0.0 : 0.0;
    }
    std::uint64_t kept = dropBits == 64 ? 0 : significand >> dropBits;
    const std::uint64_t rest = dropBits == 64 ? significand : significand & ((std::uint64_t{1} << dropBits) - 1);
    const std::uint64_t half = std::uint64_t{1} << (dropBits - 1);
    if (rest > half || (rest == half && (kept & 1) != 0))
        ++kept;
    e2 += dropBits;

    // kept * 2^e2, kept < 2^54; build the double directly.
    if (kept == 0)
        return negative ? -0.0 : 0.0;
    const int topBit = 63 - std::countl_zero(kept);
    const int resultExponent = topBit + e2; // exponent of the leading bit
    if (resultExponent > kDoubleBias)
        return std::bit_cast<double>(signBit | (std::uint64_t{0x7FF} << 52));
    if (resultExponent < 1 - kDoubleBias) {
        // Subnormal: the field holds kept scaled so that 2^-1074 is one unit.
        const int unitShift = e2 + 1074;
        const std::uint64_t field = unitShift >= 0 ? kept << unitShift : kept >> -unitShift;
        return std::bit_cast<double>(signBit | field);
    }
    const std::uint64_t mantissa =
        (topBit >= 52 ? kept >> (topBit - 52) : kept << (52 - topBit)) & ((std::uint64_t{1} << 52) - 1);
    const auto biased = static_cast<std::uint64_t>(resultExponent + kDoubleBias);
    return std::bit_cast<double>(signBit | (biased << 52) | mantissa);
}

void toHexDigits(double value, char digits[20])
{
    unsigned char bytes[10];
    encode(value, bytes);
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (unsigned char byte : bytes) {
        *digits++ = kHex[byte >> 4];
        *digits++ = kHex[byte & 0xF];
    }
}

QString toHex(double value)
{
    char digits[20];
    toHexDigits(value, digits);
    return QString::fromLatin1(digits, sizeof digits);
}

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

std::optional<double> fromHex(QStringView text)
{
    // An odd count reads as if it had a leading "0".
    const qsizetype padded = text.size() + (text.size() % 2);
    if (padded < 20)
        return std::nullopt;
    const auto digitAt = [&](qsizetype i) {
        const qsizetype at = i - (padded - text.size());
        return at < 0 ? 0 : hexDigit(text[at]);
    };
    unsigned char bytes[10];
    for (int i = 0; i < 10; ++i) {
        const int high = digitAt(2 * i);
        const int low = digitAt(2 * i + 1);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[i] = static_cast<unsigned char>(high * 16 + low);
    }
    return decode(bytes);
}

} // namespace Float80
