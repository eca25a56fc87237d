// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli moon and region: the moon drawing as a picture, and the outline a mask picture gives,
// for looking at both by hand.
#include <QImage>
#include <QRegion>
#include <QString>
#include <cstdio>
#include <string>

#include "cli.h"
#include "gfx/image_io.h"
#include "gfx/moon.h"
#include "gfx/region.h"

namespace orbisca::cli {
namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

int runMoon(CommandContext& /*context*/, const Args& input) {
    Args args = input;
    const std::string sizeText = takeOption(args, "--size");
    const std::string output = takeOption(args, "-o");
    rejectUnknownOptions(args);
    if (args.empty()) throw UsageError("moon needs a PHASE from 0 to 100");
    const int phase = int(parseInteger(args.front(), "the moon phase", 0, 100));
    args.erase(args.begin());
    expectNoMoreArgs(args);
    const int size =
        sizeText.empty()
            ? 100
            : int(parseInteger(sizeText, "--size", gfx::kMinMoonSize, gfx::kMaxMoonSize));
    if (output.empty()) throw UsageError("moon needs -o FILE.png");
    savePicture(gfx::drawMoon(phase, size), output);
    return 0;
}

int runRegion(CommandContext& /*context*/, const Args& input) {
    Args args = input;
    rejectUnknownOptions(args);
    const std::string mask = takeFirstArg(args, "region needs a MASK.bmp");
    expectNoMoreArgs(args);
    requireInputFile(mask);  // a mask that is not there is bad input, not a failed run
    QImage bitmap;
    try {
        bitmap = gfx::loadBitmap(qs(mask));
    } catch (const gfx::ImageError& e) {
        throw CommandFailed(printable(QString::fromUtf8(e.what())));
    }
    const QRegion region =
        gfx::bitmapToRegion(bitmap, qRgb(0, 0, 0), gfx::RegionMode::KeepDiffering);
    const QRect box = region.boundingRect();
    std::printf("BOUNDING BOX:%d %d %d %d\n", box.x(), box.y(), box.width(), box.height());
    std::printf("RECTANGLES:%d\n", region.rectCount());
    std::printf("AREA:%lld\n", gfx::regionArea(region));
    return 0;
}

CommandRegistration moon{{"moon", "moon PHASE [--size N] -o FILE.png", runMoon}};
CommandRegistration region{{"region", "region MASK.bmp", runRegion}};

}  // namespace
}  // namespace orbisca::cli
