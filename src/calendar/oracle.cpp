// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/oracle.h"

#include <algorithm>
#include <array>

namespace orbisca {
namespace {

// Sign 20 counts as 0 in the oracle arithmetic; a result of 0 is sign 20 again.
constexpr int signAsResidue(int sign) { return sign % 20; }
constexpr std::uint8_t residueAsSign(int s) { return static_cast<std::uint8_t>(s == 0 ? 20 : s); }

// The 52 marked kins (the set is symmetric: k is marked exactly when 261 - k is).
constexpr std::array<std::uint16_t, 52> kMarkedKins{
    1,   20,  22,  39,  43,  50,  51,  58,  64,  69,  72,  77,  85,  88,  93,  96,  106, 107,
    108, 109, 110, 111, 112, 113, 114, 115, 146, 147, 148, 149, 150, 151, 152, 153, 154, 155,
    165, 168, 173, 176, 184, 189, 192, 197, 203, 210, 211, 218, 222, 239, 241, 260};
static_assert(std::is_sorted(kMarkedKins.begin(), kMarkedKins.end()));

}  // namespace

std::uint8_t getAnalog(MayanDate p) { return residueAsSign(19 - signAsResidue(p.sign)); }

std::uint8_t getAntipode(MayanDate p) {
    const int s = signAsResidue(p.sign);
    return residueAsSign(s < 10 ? s + 10 : s - 10);
}

std::uint8_t getOccultTeacher(MayanDate p) { return static_cast<std::uint8_t>(21 - p.sign); }

std::uint8_t getGuide(MayanDate p) {
    // Offset by tone 1..13: the pattern repeats every five tones.
    static constexpr std::array<int, 5> kOffset{0, -8, 4, -4, 8};
    int g = p.sign + kOffset[(p.tone + 4) % 5];
    if (g > 20) g -= 20;
    if (g < 1) g += 20;
    return static_cast<std::uint8_t>(g);
}

std::uint8_t signColour(std::int32_t v) {
    if (v <= 3) return static_cast<std::uint8_t>(v);
    const int c = v % 4;
    return static_cast<std::uint8_t>(c == 0 ? 4 : c);
}

std::uint8_t signGroup(int sign) { return static_cast<std::uint8_t>((sign - 1) / 4 + 1); }

std::uint8_t signFlag(int sign) {
    switch (sign) {
        case 3:
        case 7:
        case 8:
        case 9:
        case 10:
        case 11:
        case 17:
        case 19:
            return 0;
        default:
            return 1;
    }
}

bool isMarkedKin(int kin) {
    return std::binary_search(kMarkedKins.begin(), kMarkedKins.end(), kin);
}

bool isCentralKin(int kin) { return kin >= 121 && kin <= 140; }

OracleInfo makeOracle(MayanDate p) {
    OracleInfo o;
    o.kin = p.kin;
    o.sign = p.sign;
    o.tone = p.tone;
    o.plasma = p.plasma;
    o.monthDay = p.monthDay;
    o.month = p.month;
    o.colour = signColour(p.sign);
    o.signFlag = signFlag(p.sign);
    o.antipode = getAntipode(p);
    o.analog = getAnalog(p);
    o.guide = getGuide(p);
    o.occultTeacher = getOccultTeacher(p);
    o.signGroup = signGroup(p.sign);
    o.markedKin = isMarkedKin(p.kin) ? 1 : 0;
    o.centralKin = isCentralKin(p.kin) ? 1 : 0;
    return o;
}

MayanDate positionOfKin(int kin) {
    MayanDate position;
    position.kin = static_cast<std::uint16_t>(kin);
    position.sign = static_cast<std::uint8_t>((kin - 1) % 20 + 1);
    position.tone = static_cast<std::uint8_t>((kin - 1) % 13 + 1);
    return position;
}

// Tone 4 takes the second ending too: its stem ends like those of 3, 6, 8, 12 and 13
// ("Самосуществующ-ий" as "Электрическ-ий"); with the first it read "Самосуществующый".
int toneTextsEnd(int tone) {
    switch (tone) {
        case 3:
        case 4:
        case 6:
        case 8:
        case 12:
        case 13:
            return 31;
        default:
            return 28;
    }
}

}  // namespace orbisca
