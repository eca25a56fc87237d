// SPDX-License-Identifier: GPL-3.0-or-later
// A script like the ones the exports write, for the benchmarks: fonts, texts (literals and day
// variables) and moons of every phase.
#pragma once

#include <QStringList>

namespace orbisca::bench {

// `moonPictures`: every other moon uses the moon picture ("graphic\moon2.bmp"); otherwise all
// moons are flat discs, which need no files.
inline QStringList exportScript(int lines, bool moonPictures) {
    QStringList script{"[Month info script]"};
    for (int i = 0; script.size() < lines; ++i) {
        const int x = 20 + (i * 37) % 600, y = 20 + (i * 53) % 480;
        script
            << QStringLiteral("FONT 10 -%1 0 0 %2 thn nrm DejaVu Sans").arg(12 + i % 9).arg(i % 256)
            << QStringLiteral("TEXT %1 %2 rgt 'Day %3 of the moon'").arg(x).arg(y).arg(i % 28 + 1)
            << QStringLiteral("TEXT %1 %2 cnt KIN").arg(x - 300).arg(y + 20)
            << (moonPictures && i % 2
                    ? QStringLiteral("MOON %1 %2 60 %3 IMAGE").arg(x).arg(y).arg(i % 101)
                    : QStringLiteral("MOON %1 %2 40 %3 255 255 0").arg(x).arg(y).arg(i % 101));
    }
    script.erase(script.begin() + lines, script.end());
    return script;
}

}  // namespace orbisca::bench
