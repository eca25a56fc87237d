// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpage/caption_table.h"

#include "data/day_words.h"
#include "data/text_file.h"

namespace orbisca {
namespace {

const QString kBaseTexts = QStringLiteral("BASE.KTX");

// The four runs of lines: first entry, last entry and the line of entry 0 of the run.
struct CaptionRun {
    int first, last;
    std::int32_t lineOffset;
};
constexpr CaptionRun kRuns[] = {{1, 41, base_line::kCaptionRunLines[0]},
                                {42, 49, base_line::kCaptionRunLines[1]},
                                {50, 55, base_line::kCaptionRunLines[2]},
                                {56, 65, base_line::kCaptionRunLines[3]}};

}  // namespace

std::int32_t captionLine(int entry) {
    for (const CaptionRun& run : kRuns)
        if (entry >= run.first && entry <= run.last) return run.lineOffset + entry;
    return -1;
}

CaptionTable CaptionTable::load(const WorkingFolder& folder) {
    CaptionTable table;
    for (int k = 1; k <= kCaptionCount; ++k)
        table.texts_[k] = readDatabaseLine(folder, captionLine(k), kBaseTexts);
    return table;
}

const QString& CaptionTable::at(int entry) const {
    static const QString none;
    return entry >= 1 && entry <= kCaptionCount ? texts_[entry] : none;
}

}  // namespace orbisca
