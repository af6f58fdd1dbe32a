#include "Expenditure.h"

#include <array>

namespace Category {

namespace {

constexpr std::array<const char *, kCount> kCaptions = {"Random",
                                                        "Food",
                                                        "House related",
                                                        "Car related",
                                                        "Medicine",
                                                        "Exclusive goods",
                                                        "Bills and taxes",
                                                        "Photo",
                                                        "Electronic devices",
                                                        "Fun",
                                                        "Books",
                                                        "Salary",
                                                        "Other"};

constexpr std::array<Rgb, kLastExpense + 1> kColours = {{{255, 0, 0},
                                                         {0, 255, 0},
                                                         {0, 0, 255},
                                                         {255, 255, 0},
                                                         {255, 0, 255},
                                                         {0, 255, 255},
                                                         {255, 255, 255},
                                                         {255, 192, 33},
                                                         {255, 128, 255},
                                                         {0, 0, 0},
                                                         {128, 128, 128}}};

} // namespace

QString caption(int type)
{
    if (type < 0 || type >= kCount)
        return {};
    return QLatin1String(kCaptions[static_cast<std::size_t>(type)]);
}

int iconIndex(int type)
{
    return type >= 0 && type < kCount ? type : -1;
}

Rgb colour(int type)
{
    if (type < kFirstExpense || type > kLastExpense)
        return {};
    return kColours[static_cast<std::size_t>(type)];
}

} // namespace Category

namespace Periodicity {

QString caption(int periodicity)
{
    static constexpr std::array<const char *, kCount> kCaptions = {
        "Single occurance (no periodicity)", "Each month (1st day)",           "Each month (1st working day)",
        "Each month (2nd working day)",      "Each month (half of the month)", "Each month (last day)"};
    if (periodicity < 0 || periodicity >= kCount)
        return {};
    return QLatin1String(kCaptions[static_cast<std::size_t>(periodicity)]);
}

} // namespace Periodicity
