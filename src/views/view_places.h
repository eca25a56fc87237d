// SPDX-License-Identifier: GPL-3.0-or-later
// Places that several calendar views share: the U of thirteen places along which the year view
// lays out its moons and the wavespell view its days, the castle and wavespell of a kin, and the
// extra day.
#pragma once

#include <QPoint>
#include <QString>

#include "calendar/calendar.h"
#include "calendar/calendar_strings.h"
#include "data/conf_file.h"
#include "data/text_file.h"
#include "views/element_kinds.h"

namespace orbisca {

// Place 0..12 of the U as (column, row): down the first column (rows 1..5), along the bottom row
// (columns 1..4), up the last column (rows 4..2), and one step back to column 3, row 2.
constexpr QPoint uPlace(int index) {
    int column = 0, row = 0;
    for (int i = 0; i <= index; ++i) {
        if (i <= 4)
            ++row;
        else if (i <= 8)
            ++column;
        else if (i <= 11)
            --row;
        else
            --column;
    }
    return {column, row};
}

// The castle 1..5 of a kin: 52 kins each.
constexpr int castleOfKin(int kin) {
    return kin <= 52 ? 1 : kin <= 104 ? 2 : kin <= 156 ? 3 : kin <= 208 ? 4 : 5;
}
// The wavespell 1..20 of a kin: 13 kins each.
constexpr int wavespellOfKin(int kin) { return (kin - 1) / 13 + 1; }

// 25 July, the day out of the moons.
constexpr bool isExtraDay(const GregorianDate& d) { return d.month == 7 && d.day == 25; }

// Izin figures are shown from this year on.
inline constexpr int kFirstIzinYear = 1997;

// Font choices the calendar views share.
inline constexpr int kViewNumberFont = 2;
inline constexpr int kViewLabelFont = 3;
inline constexpr int kViewSmallFont = 6;
inline constexpr int kViewTitleFont = 8;

// The Gregorian date under a day of the month, 13-moon, wavespell and wings views, or nothing when
// the settings do not ask for it.
inline bool showsDatesInViews(const Settings& s) {
    return s.showsGregorian() && s.gregorianInViews;
}
inline QString viewDateText(const Settings& s, const GregorianDate& d) {
    return QString::fromStdString(formatGregorianDate(d, s.dateLayout()));
}

}  // namespace orbisca
