// SPDX-License-Identifier: GPL-3.0-or-later
// A printing script of arbitrary lines through the interpreter, the rescale and the redraw.
//
// The first byte picks the modes (black-and-white, fonts-only, a rescale by 2 or 0.5, the
// optimizeForPrinter path); the rest is the script, whose lines after a line "[YEAR]" form the year
// page. In the fuzz build folder: fuzzers/fuzz_script -max_len=4096 -timeout=10
// fuzz-corpus/fuzz_script (with ASAN_OPTIONS=detect_leaks=0: the font libraries keep caches for the
// whole process).
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "printpage/image_ops.h"
#include "printpage/print_page.h"
#include "state/program_state.h"

using namespace orbisca;

namespace {

// The working folder with the pictures the scripts name, filled at start.
const QTemporaryDir& home() {
    static QTemporaryDir folder;
    return folder;
}

void writePicture(const QString& folder, const QString& name, int side, QRgb colour) {
    QImage image(side, side, QImage::Format_RGB888);
    image.fill(colour);
    image.setPixel(0, 0, qRgb(255, 0, 255));
    image.save(QDir(folder).filePath(name), "BMP");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    const QString folder = home().path();
    QDir(folder).mkpath("graphic");
    writePicture(folder, "graphic/moon2.bmp", 24, qRgb(230, 220, 150));
    writePicture(folder, "graphic/moon3.bmp", 24, qRgb(200, 200, 200));
    writePicture(folder, "graphic/sample.bmp", 12, qRgb(10, 80, 10));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t modes = data[0];
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1))
            .split(u'\n');
    const qsizetype year = lines.indexOf(QStringLiteral("[YEAR]"));

    // A program state of this run's own: no glyph face asked for, no picture resolved before.
    ProgramState program(home().path());
    PrintPageState& page = program.printPage;
    page.services.notify = [](const QString&) {};
    page.script = year < 0 ? lines : lines.mid(0, year);
    if (year >= 0) page.yearPage = lines.mid(year + 1);
    // Small pixels keep a run short: the interpreter's paths are the same for every canvas size,
    // and the printer page below still makes the page grow once.
    page.canvasWidth = 32;
    page.canvasHeight = 24;
    page.viewBox = QSize(20, 15);
    page.moonWorkingSide = 32;  // discs above 32 pixels take the stretched path
    page.interp.blackAndWhite = modes & 1;
    page.interp.fontsOnly = modes & 2;
    setCanvas(page, page.canvasWidth, page.canvasHeight, true);
    runScriptLines(page, page.script);
    page.interp.fontsOnly = false;
    if (modes & 4) rescaleScript(page, modes & 8 ? 2.0 : 0.5);
    if (modes & 16)
        optimizeForPrinter(page, QSize(100, 90));
    else
        redrawPage(page);
    return 0;
}
