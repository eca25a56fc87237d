// SPDX-License-Identifier: GPL-3.0-or-later
// A temporary working folder for the tests of the full-mode frame: the texts, tables and settings
// of the assembled working folder, and its pictures seen through links (the tests only read
// them), with the day set to 21 August 2001 (kin 230: sign 10, tone 9, plasma 6, guide 6).
#pragma once

#include <QDir>
#include <QImage>

#include "data/conf_file.h"
#include "gfx/font_table.h"
#include "gfx/image_io.h"
#include "printpage/page_services.h"
#include "printpage/print_page.h"
#include "support/folder_fixture.h"
#include "views/export_table.h"
#include "views/full_mode_frame.h"

namespace orbisca::testing {

inline constexpr GregorianDate kWorkedDate{21, 8, 0, 2001};

class FullModeTest : public WorkingFolderTest {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }
    void SetUp() override {
        WorkingFolderTest::SetUp();
        copyPackFiles(home.path());
        linkPictures();
        program.fonts.load(data.folder);
        loadSettings(data);
        data.day.setDate(kWorkedDate);
    }

    static QImage packPicture(const QString& name) {
        return gfx::loadBitmap(QStringLiteral(ORBISCA_HOME_DIR) + "/graphic/" + name);
    }

    // The script of an export view, header first.
    QStringList exported(const QString& view) {
        ScriptLines script, year;
        frame.state().exports.exportAsGlyphText = false;
        exportView(frame, *findExportView(view), script, year);
        return script.lines;
    }

    // Runs a script, and the year page it draws, for the current day as the print manager does,
    // on a white canvas; the error of the failing line, or "".
    QString runScript(const QStringList& script, QSize canvas, const QStringList& year = {}) {
        PrintPageState& page = program.printPage;
        page = PrintPageState();
        page.services = programPageServices(data, program.glyphFonts);
        page.services.notify = [](const QString&) {};
        setScriptDay(page, data.day.position());
        setCanvas(page, canvas.width(), canvas.height(), true);
        page.script = script;
        page.yearPage = year;
        return redrawPage(page) ? QString() : page.interp.errorReason;
    }

    FullModeFrame frame{data, program.fonts};
};

// True when every pixel of `picture` that is not its transparent colour stands at (x, y) in
// `image`; the first mismatch is reported.
inline ::testing::AssertionResult pictureAt(const QImage& image, const QImage& picture, int x,
                                            int y, QRgb key) {
    for (int row = 0; row < picture.height(); ++row)
        for (int col = 0; col < picture.width(); ++col) {
            const QRgb p = picture.pixel(col, row);
            if ((p & 0xffffff) == (key & 0xffffff)) continue;
            if (image.pixel(x + col, y + row) != p)
                return ::testing::AssertionFailure()
                       << "pixel (" << x + col << ", " << y + row << ") differs from the picture";
        }
    return ::testing::AssertionSuccess();
}

// The rows from `top` to `bottom` (inclusive) between columns `left` and `right` that hold a
// pixel other than the frame's background.
inline std::vector<int> paintedRows(const QImage& image, int left, int right, int top, int bottom) {
    std::vector<int> rows;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (image.pixel(x, y) != (kFrameBackground | 0xff000000u)) {
                rows.push_back(y);
                break;
            }
    return rows;
}

}  // namespace orbisca::testing
