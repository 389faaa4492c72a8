#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace veltaro::lunar_table {

// The lunar calendar is read, not computed: one entry per lunar year, indexed by year - 1900.
// Bits 15..4 give months 1..12 (set: 30 days, clear: 29), bits 3..0 the month after which the
// leap month comes (0 none). 0xF is "no leap month here, and the previous year's leap month has
// 30 days", which is why the table has one entry past its last year.
inline constexpr int kFirstYear = 1900;
inline constexpr int kLastYear = 2099;

inline constexpr std::array<std::uint16_t, kLastYear - kFirstYear + 2> kYearInfo = {
    0x4BD8, 0x4AE0, 0xA570, 0x54D5, 0xD260, 0xD950, 0x5554, 0x56AF, 0x9AD0, 0x55D2,  // 1900
    0x4AE0, 0xA5B6, 0xA4D0, 0xD250, 0xD295, 0xB54F, 0xD6A0, 0xADA2, 0x95B0, 0x4977,  // 1910
    0x497F, 0xA4B0, 0xB4B5, 0x6A50, 0x6D40, 0xAB54, 0x2B6F, 0x9570, 0x52F2, 0x4970,  // 1920
    0x6566, 0xD4A0, 0xEA50, 0x6A95, 0x5ADF, 0x2B60, 0x86E3, 0x92EF, 0xC8D7, 0xC95F,  // 1930
    0xD4A0, 0xD8A6, 0xB55F, 0x56A0, 0xA5B4, 0x25DF, 0x92D0, 0xD2B2, 0xA950, 0xB557,  // 1940
    0x6CA0, 0xB550, 0x5355, 0x4DAF, 0xA5B0, 0x4573, 0x52BF, 0xA9A8, 0xE950, 0x6AA0,  // 1950
    0xAEA6, 0xAB50, 0x4B60, 0xAAE4, 0xA570, 0x5260, 0xF263, 0xD950, 0x5B57, 0x56A0,  // 1960
    0x96D0, 0x4DD5, 0x4AD0, 0xA4D0, 0xD4D4, 0xD250, 0xD558, 0xB540, 0xB6A0, 0x95A6,  // 1970
    0x95BF, 0x49B0, 0xA974, 0xA4B0, 0xB27A, 0x6A50, 0x6D40, 0xAF46, 0xAB60, 0x9570,  // 1980
    0x4AF5, 0x4970, 0x64B0, 0x74A3, 0xEA50, 0x6B58, 0x5AC0, 0xAB60, 0x96D5, 0x92E0,  // 1990
    0xC960, 0xD954, 0xD4A0, 0xDA50, 0x7552, 0x56A0, 0xABB7, 0x25D0, 0x92D0, 0xCAB5,  // 2000
    0xA950, 0xB4A0, 0xBAA4, 0xAD50, 0x55D9, 0x4BA0, 0xA5B0, 0x5176, 0x52BF, 0xA930,  // 2010
    0x7954, 0x6AA0, 0xAD50, 0x5B52, 0x4B60, 0xA6E6, 0xA4E0, 0xD260, 0xEA65, 0xD530,  // 2020
    0x5AA0, 0x76A3, 0x96D0, 0x4AFB, 0x4AD0, 0xA4D0, 0xD0B6, 0xD25F, 0xD520, 0xDD45,  // 2030
    0xB5A0, 0x56D0, 0x55B2, 0x49B0, 0xA577, 0xA4B0, 0xAA50, 0xB255, 0x6D2F, 0xADA0,  // 2040
    0x4B63, 0x937F, 0x49F8, 0x4970, 0x64B0, 0x68A6, 0xEA5F, 0x6B20, 0xA6C4, 0xAAEF,  // 2050
    0x92E0, 0xD2E3, 0xC960, 0xD557, 0xD4A0, 0xDA50, 0x5D55, 0x56A0, 0xA6D0, 0x55D4,  // 2060
    0x52D0, 0xA9B8, 0xA950, 0xB4A0, 0xB6A6, 0xAD50, 0x55A0, 0xABA4, 0xA5B0, 0x52B0,  // 2070
    0xB273, 0x6930, 0x7337, 0x6AA0, 0xAD50, 0x4B55, 0x4B6F, 0xA570, 0x54E4, 0xD260,  // 2080
    0xE968, 0xD520, 0xDAA0, 0x6AA6, 0x56DF, 0x4AE0, 0xA9D4, 0xA4D0, 0xD150, 0xF252,  // 2090
    0xD520,                                                                          // 2100
};

constexpr bool IsTableYear(int year) {
    return year >= kFirstYear && year <= kLastYear;
}

// The accessors below expect IsTableYear(year).
constexpr unsigned EntryOf(int year) {
    return kYearInfo[static_cast<std::size_t>(year - kFirstYear)];
}

constexpr int LeapMonthOf(int year) {
    const unsigned nibble = EntryOf(year) & 0xFu;
    return nibble == 0xFu ? 0 : static_cast<int>(nibble);
}

constexpr int LeapMonthDaysOf(int year) {
    if (LeapMonthOf(year) == 0) {
        return 0;
    }
    return (EntryOf(year + 1) & 0xFu) == 0xFu ? 30 : 29;
}

// month 1..12, the ordinary month of that number.
constexpr int MonthDaysOf(int year, int month) {
    return ((EntryOf(year) >> (16 - month)) & 1u) != 0 ? 30 : 29;
}

constexpr int YearDaysOf(int year) {
    return 348 + std::popcount(EntryOf(year) & 0xFFF0u) + LeapMonthDaysOf(year);
}

// kYearStart[i] is the day, counted from 1900-01-31, on which lunar year 1900 + i begins; the last
// element is the day after the table's last day. Precomputed so that a conversion finds its year
// by a search instead of a walk over up to 200 years.
inline constexpr std::array<int, kYearInfo.size()> kYearStart = [] {
    std::array<int, kYearInfo.size()> starts{};
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        const auto index = static_cast<std::size_t>(year - kFirstYear);
        starts[index + 1] = starts[index] + YearDaysOf(year);
    }
    return starts;
}();

// The table's promises that the conversion relies on: a leap month follows one of months 1..12,
// two consecutive years never both have one, and every year is 353..385 days long.
constexpr bool TableIsWellFormed() {
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        const int leapMonth = LeapMonthOf(year);
        const int yearDays = YearDaysOf(year);
        if (leapMonth > 12 || yearDays < 353 || yearDays > 385) {
            return false;
        }
        if (year > kFirstYear && leapMonth != 0 && LeapMonthOf(year - 1) != 0) {
            return false;
        }
    }
    return true;
}
static_assert(TableIsWellFormed());

}  // namespace veltaro::lunar_table
