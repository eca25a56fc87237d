// SPDX-License-Identifier: GPL-3.0-or-later
// The oracle of a day (guide, analog, antipode, occult teacher) and the classifications of its sign
// and kin that choose texts and pictures.
#pragma once

#include <cstdint>

#include "calendar/calendar.h"

namespace orbisca {

struct OracleInfo {
    std::uint16_t kin = 0;
    std::uint8_t sign = 0;
    std::uint8_t tone = 0;
    std::uint8_t plasma = 0;
    std::uint8_t antipode = 0;
    std::uint8_t analog = 0;
    std::uint8_t occultTeacher = 0;
    std::uint8_t guide = 0;
    std::int16_t monthDay = 0;
    std::uint8_t month = 0;
    std::uint8_t colour = 0;     // 1..4
    std::uint8_t signGroup = 0;  // 1..5
    std::uint8_t signFlag = 0;   // chooses between the two variants of the colour and tone words
    std::uint8_t markedKin = 0;
    std::uint8_t centralKin = 0;

    friend constexpr bool operator==(const OracleInfo&, const OracleInfo&) = default;
};
static_assert(sizeof(OracleInfo) == 18);

std::uint8_t getGuide(MayanDate position);
std::uint8_t getAnalog(MayanDate position);
std::uint8_t getAntipode(MayanDate position);
std::uint8_t getOccultTeacher(MayanDate position);
// 1..4: v itself up to 3, otherwise v mod 4 with 0 read as 4.
std::uint8_t signColour(std::int32_t v);
std::uint8_t signGroup(int sign);
std::uint8_t signFlag(int sign);
bool isMarkedKin(int kin);
bool isCentralKin(int kin);
OracleInfo makeOracle(MayanDate position);
// A position holding only what the kin decides (kin, sign and tone): enough for the oracle and
// for every text chosen by them.
MayanDate positionOfKin(int kin);
// 28 or 31: where the full-mode window's tone texts end.
int toneTextsEnd(int tone);

}  // namespace orbisca
