// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-assets: draws the picture pack of Orbisca.
//   orbisca-assets --out DIR               writes DIR/graphic/*.bmp
//   orbisca-assets --contact-sheet FILE    writes one labelled PNG sheet of every picture
//   orbisca-assets --glyph-outlines DIR    writes the outlines of the glyph fonts (DIR/*.glyphs)
//   orbisca-assets --icons DIR NAME        writes the program's icon as DIR/hicolor/.../NAME.png
//                                          in several sizes and DIR/hicolor/scalable/apps/NAME.svg
#include "generator.h"
#include "glyph_fonts.h"
#include "icon.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstring>

namespace {

int usage() {
    std::fputs(
        "usage: orbisca-assets [--out DIR] [--contact-sheet FILE.png] [--glyph-outlines DIR]\n"
        "                      [--icons DIR NAME]\n",
        stderr);
    return 2;
}

int report(const QStringList& problems) {
    for (const QString& p : problems) std::fprintf(stderr, "orbisca-assets: %s\n", qPrintable(p));
    return problems.isEmpty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QString out, sheet, outlines, icons, iconName;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc)
            out = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(argv[i], "--contact-sheet") == 0 && i + 1 < argc)
            sheet = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(argv[i], "--glyph-outlines") == 0 && i + 1 < argc)
            outlines = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(argv[i], "--icons") == 0 && i + 2 < argc) {
            icons = QString::fromLocal8Bit(argv[++i]);
            iconName = QString::fromLocal8Bit(argv[++i]);
        } else
            return usage();
    }
    if (out.isEmpty() && sheet.isEmpty() && outlines.isEmpty() && icons.isEmpty()) return usage();
    // The pictures need no window system; the contact sheet's labels need fonts, which need an
    // application object.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int rc = 0;
    if (!out.isEmpty()) rc = report(orbisca::assets::writePack(out));
    if (rc == 0 && !sheet.isEmpty()) rc = report(orbisca::assets::writeContactSheet(sheet));
    if (rc == 0 && !outlines.isEmpty()) rc = report(orbisca::assets::writeGlyphOutlines(outlines));
    if (rc == 0 && !icons.isEmpty()) rc = report(orbisca::assets::writeIcons(icons, iconName));
    return rc;
}
