// SPDX-License-Identifier: GPL-3.0-or-later
// The picture of each element kind (views/element_kinds.h): its file under "graphic\" and its
// transparent colour, and the cache of decoded pictures.
//
// The files by kind (n plain: the number; coded: a variant digit and the index in three digits,
// "0007"):
//   0, 20 "0Y"; 1..19 nY                  large sign, variant Y
//   30, 50 "0"; 31..49 n (kind - 30)      large sign
//   51..63 Tone n (1..13)                 large tone
//   71..77 nX (1..7)                      large plasma
//   78..97 zc45, 98..117 zc35             sign 45 / 35, coded 0..19
//   118..130 tn45, 142..154 tn35          tone 45 / 35, coded 0..12
//   131..137 pl35                         plasma 35, coded 0..6
//   138..141 md 1..4, 235..238 md 5..8    moon-day marks, coded
//   155..174 zcs15 0..19                  sign 15, coded
//   175..178 fr 1..4                      frames, plain
//   179..231 tn6h 0..52                   small tones, coded
//   232 DOT, 233 izin6, 234 izin9, 239 pvsign, 240 zolkin, 241 wavespell, 242 wave1, 243 kin78,
//   244 wings, 372 DOT1, 373 telectonon
//   251..314 sgn, variant (kind - 251) / 8, index (kind - 251) % 8
//   315..343 rns 0..28; 344.. qntr, 351.. qntw, 358.. qntb, 365..371 qnty 0..6 each
//   374..392 vnl50 1..19; 393..411 vnl40 1..19; 412..430 vnt40 0..18
//   431..433 LNR, 434..436 LNW, 437..439 LNB, 440..442 LNY 1..3, plain
// Kinds 21..29, 64..70, 245..250, below 0 and above 442 have no picture.
#pragma once

#include <QImage>
#include <QRgb>
#include <QString>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "data/working_folder.h"
#include "views/element_kinds.h"

namespace orbisca {

// The day's part that an element shows, for the glyph export (which writes the part's word, so
// that a printed page follows the day it is run for).
enum class ElementRole { None, Kin, Tone, Guide, Analog, Antipode, OccultTeacher, Plasma };

// The picture file of an element as the program writes it ("graphic\10Y.bmp"); nothing for a
// kind without picture.
std::optional<QString> elementFileName(int kind);

// The picture an element's PICT line names on a printed page. Texts are printed black, so the
// pictures that lie under texts and are dark on screen have a light variant for paper: the
// moon-day marks of the month (138..141) and the wavespell board (241) add "_print" to their
// names ("graphic\\md001_print.bmp"); the others print as they are shown.
std::optional<QString> printedFileName(int kind);

// The picture's transparent colour: RGB(216, 208, 200) for kind 100 and the small signs and tones
// (155..174, 179..231), black for the others.
QRgb elementKeyColour(int kind);

// Decoded pictures by resolved path, each used while its file keeps its modification time and
// size, so a picture is read from disk once and again only when it changes.
class PictureCache {
public:
    explicit PictureCache(const WorkingFolder& folder) : folder_(folder) {}
    // The picture of a file of the folder named as the program writes it. Throws gfx::ImageError
    // when the file cannot be read as a picture.
    const QImage& picture(const QString& writtenName);
    void clear() { entries_.clear(); }

private:
    struct Entry {
        std::int64_t modified = 0;
        std::int64_t size = -1;
        QImage image;
    };
    const WorkingFolder& folder_;
    std::unordered_map<QString, Entry> entries_;
};

}  // namespace orbisca
