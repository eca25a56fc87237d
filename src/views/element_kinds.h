// SPDX-License-Identifier: GPL-3.0-or-later
// Element kinds: the numbers 0..442 by which the views name every calendar picture. Kinds come
// in families of consecutive numbers, one per picture set (the signs at size 35, the runes ...);
// a view draws a member of a family (sign 7, tone 13) and the renderer, the glyph export and the
// picture files go back from the kind to its family and member. The picture file of each kind is
// in views/element_renderer.h.
#pragma once

namespace orbisca {

inline constexpr int kLastElementKind = 442;

// A run of `count` kinds from `first`, whose members the views number from `firstMember` (a tone
// 1..13, a sign 1..20; a family numbered from 0 is one a view indexes by position).
struct KindFamily {
    int first;
    int count;
    int firstMember = 1;

    constexpr int last() const { return first + count - 1; }
    constexpr bool contains(int kind) const { return kind >= first && kind <= last(); }
    // The kind of a member, and the member of a kind of the family.
    constexpr int kindOf(int member) const { return first + member - firstMember; }
    constexpr int member(int kind) const { return kind - first + firstMember; }
    // The place 0..count - 1 of a kind in the family.
    constexpr int index(int kind) const { return kind - first; }
};

// A family of one kind.
constexpr KindFamily singleKind(int kind) { return {kind, 1, 0}; }

namespace kinds {

// The large pictures of the day pages.
inline constexpr KindFamily kLargeSignsY{0, 21, 0};  // the kin's sign, variant Y: 0 and 20 alike
inline constexpr KindFamily kLargeSigns{30, 21, 0};  // the oracle's signs: 0 and 50 alike
inline constexpr KindFamily kLargeTones{51, 13};
inline constexpr KindFamily kLargePlasmas{71, 7};
// Signs, tones and plasmas at the sizes of the calendar views.
inline constexpr KindFamily kSigns45{78, 20};
inline constexpr KindFamily kSigns35{98, 20};
inline constexpr KindFamily kTones45{118, 13};
inline constexpr KindFamily kPlasmas35{131, 7};
inline constexpr KindFamily kMoonDayMarks{138, 4};  // by cromatic 1..4
inline constexpr KindFamily kTones35{142, 13};
// The year grid's cells: a small sign, and a small tone in a frame of the cromatic's colour. The
// small tones are four rows of thirteen, one per cromatic: member tone + 13 (cromatic - 1).
inline constexpr KindFamily kSmallSigns{155, 20};
inline constexpr KindFamily kFrames{175, 4};
inline constexpr KindFamily kSmallTones{179, 52};
inline constexpr int kSpareSmallTone = 231;  // a picture after the four rows that no view draws
inline constexpr int kYearDot = 232;
// The lines of an izin figure: broken (member 0) and solid (member 1).
inline constexpr KindFamily kIzinLines{233, 2, 0};
inline constexpr KindFamily kWeekMoonDayMarks{235, 4};  // the month's second set, by cromatic
inline constexpr int kPvsignMark = 239;
inline constexpr int kZolkinBoard = 240;
inline constexpr int kWavespellBoard = 241;
inline constexpr int kWaveBoard = 242;
inline constexpr int kKin78Mark = 243;
inline constexpr int kWingsBoard = 244;
inline constexpr KindFamily kIzinFigures{251, 64};  // by izin figure number 1..64
inline constexpr KindFamily kRunes{315, 29};        // by day of the moon
// The quarters' pictures by day of the moon: four groups of seven, one per week.
inline constexpr KindFamily kQuarters{344, 28};
inline constexpr int kExtraDayDot = 372;
inline constexpr int kTelectononBoard = 373;
inline constexpr KindFamily kVinals50{374, 19};      // by vinal 1..19
inline constexpr KindFamily kVinals40{393, 19};      // by vinal 1..19
inline constexpr KindFamily kVinalTones40{412, 19};  // by vinal tone 1..19
// The lines around the month's weeks, three per week colour: member 3 x colour across at the top,
// + 1 across at the bottom, + 2 down at both sides.
inline constexpr KindFamily kWeekLines{431, 12, 0};

}  // namespace kinds
}  // namespace orbisca
