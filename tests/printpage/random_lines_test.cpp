// Random and mutated script lines through the interpreter and the rescale: no crash, no hang and
// no exception out of a run, whatever the lines hold.
#include <gtest/gtest.h>

#include <random>

#include "page_fixture.h"
#include "printpage/image_ops.h"
#include "printpage/script_line.h"

using namespace orbisca;
using orbisca::testing::PageTest;

namespace {

const QStringList kSeeds = {
    "FONT 12 -16 0 0 0 bld nrm DejaVu Sans",
    "font 10 -13 0 0 0 BLD ITL Times New Roman",
    "TEXT 0 40 cnt 'Day'",
    "TEXT 120 200 rgt KIN",
    "TEXT 10 10 rgt 'It''s'",
    "TEXT 10 10 cnt Hello world",
    "PICT 10 10 255 255 255 rgt 'graphic\\sample.bmp'",
    "PICT 0 0 0 0 0 cnt 'pic.bmp'",
    "MOON 30 20 24 50 IMAGE",
    "MOON 30 20 16 50 255 255 0",
    "MOON 3 2 9 90 0 0 300",
    "YEAR 53 12 1",
    "[Day info script]",
    "/comment",
    "Syntax error:",
    "///Syntax error\\\\\\",
    "",
    "MOON",
    "MOONS",
};
const QString kAlphabet = QStringLiteral(" -0123456789'\\/[]abcFONTEXPICMOYAR\t\u00e9\u0416");

// A seed line with up to three edits: a character inserted or removed, the line cut, a field
// replaced by a number near a limit, the line lower-cased.
QString mutatedLine(std::mt19937& rng) {
    auto pick = [&rng](qsizetype n) {
        return std::uniform_int_distribution<int>(0, int(n) - 1)(rng);
    };
    const QString numbers[] = {
        QString::number(std::uniform_int_distribution<int>(INT_MIN, INT_MAX)(rng)), "2147483648",
        QString::number(pick(3) * 16384 + pick(3) - 1), QString::number(pick(3000)),
        QString::number(pick(400) - 100)};
    QString line = kSeeds[pick(kSeeds.size())];
    for (int edits = pick(4); edits > 0; --edits) {
        const qsizetype at = pick(line.size() + 1);
        QStringList parts = line.split(u' ');
        switch (pick(5)) {
            case 0:
                line.insert(at, kAlphabet[pick(kAlphabet.size())]);
                break;
            case 1:
                line.remove(at, 1 + pick(3));
                break;
            case 2:
                line.truncate(at);
                break;
            case 3:
                if (parts.size() > 1) parts[1 + pick(parts.size() - 1)] = numbers[pick(5)];
                line = parts.join(u' ');
                break;
            default:
                line = line.toLower();
                break;
        }
    }
    return line;
}

TEST_F(PageTest, HundredThousandRandomAndMutatedLines) {
    writePicture("pic.bmp", QSize(12, 9), qRgb(1, 2, 3));
    writePicture("graphic/sample.bmp", QSize(5, 5), qRgb(3, 2, 1));
    writePicture("graphic/moon2.bmp", QSize(16, 16), qRgb(0, 0, 0));
    setcanvas(page, 96, 64, true);
    page.moonWorkingSide = 200;  // huge discs take the stretched path quickly
    page.canvasWidth = 96;
    page.canvasHeight = 64;
    page.yearlines = {"TEXT 5 5 rgt 'y'", "MOON 1 1 8 20 IMAGE"};
    std::mt19937 rng(20261206);
    int runs = 0;  // more runs than scripts: some lines failed
    for (int script = 0; script < 2500; ++script) {
        QStringList text;
        for (int i = 0; i < 40; ++i) text << mutatedLine(rng);
        page.script = text;
        page.interp.blackAndWhite = script % 7 == 0;
        page.interp.fontsOnly = script % 11 == 0;
        // A run stops at its first bad line: drop up to its end marker and run the rest.
        for (bool ran = false; !ran; ++runs) {
            ASSERT_NO_THROW(ran = drawimage(page, page.script)) << script;
            if (!ran) {
                ASSERT_EQ(page.script.at(page.interp.errorLine + 2), kSyntaxErrorEndMarker);
                page.script.remove(0, page.interp.errorLine + 3);
            }
        }
        page.interp.fontsOnly = false;
        if (script % 13 == 0) {
            page.script = text;
            ASSERT_NO_THROW(RescaleScript(page, script % 2 ? 2.0 : 0.5)) << script;
            ASSERT_FALSE(page.interp.rescaleMode);
        }
        ASSERT_FALSE(page.interp.insideYear);
        ASSERT_EQ(page.interp.yearOffsetX, 0);
    }
    EXPECT_GT(runs, 2500);
    EXPECT_EQ(page.canvas.size(), QSize(96, 64));
}

}  // namespace
