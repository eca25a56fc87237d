// SPDX-License-Identifier: GPL-3.0-or-later
// The export driver on the pack's views for 21 August 2001. (A view that fails leaves no export
// state behind: the frame's failing-paint test.)
#include <QRegularExpression>
#include <atomic>

#include "export/export_driver.h"
#include "printing/print_manager_links.h"
#include "printpage/image_ops.h"
#include "support/full_mode_fixture.h"

namespace orbisca::testing {
namespace {

class ExportDriverTest : public FullModeTest {
protected:
    void SetUp() override {
        FullModeTest::SetUp();
        program.printPage = PrintPageState();
        page.services = programPageServices(data, program.glyphFonts);
        page.services.notify = [this](const QString& text) { notices << text; };
        const auto filter = page.services.meanFilter;
        page.services.meanFilter = [this, filter](QImage& image, const QRect& area,
                                                  const RowProgress& row) {
            ++blurs;
            filter(image, area, row);
        };
    }
    bool run(ScriptExport which, bool optimize, const QString& colour = " 0 0 0 ") {
        ExportOptions options;
        options.optimize = optimize;
        options.printerPage = defaultPrinterPage();
        options.exportAsText = false;
        options.textColour = colour;
        return ExportDriver(frame, page).run(which, options);
    }
    QString moonPhase() const {
        return QString::number(data.day.position().moonPhase / 10'000'000);
    }

    PrintPageState page;
    QStringList notices;
    std::atomic<int> blurs = 0;
};

TEST_F(ExportDriverTest, CreativeModeWritesEveryHeaderOnItsCanvasAndLeavesTheFrameAlone) {
    for (const ScriptExportPage& info : kScriptExportPages) {
        SCOPED_TRACE(info.name);
        ASSERT_TRUE(run(info.which, false));
        EXPECT_EQ(page.script.value(0), QString::fromLatin1(info.header));
        EXPECT_EQ(page.canvas.size(), info.canvas);
        EXPECT_FALSE(frame.state().exports.exporting);
    }
    ASSERT_TRUE(run(ScriptExport::KinBook, false));
    EXPECT_TRUE(page.script.contains("MOON 468 231 60 " + moonPhase() + " IMAGE"));
    // Nothing was drawn: the canvas is the background.
    EXPECT_EQ(page.canvas.pixel(100, 100), page.background | 0xff000000u);
    EXPECT_EQ(blurs, 0);
}

// (How the script is rewritten for the larger canvas, the rescaling tests show: here the moon of
// the day page stands for it, eight times as far out and as large.)
TEST_F(ExportDriverTest, EasyModeFitsEachPageToA4At600Dpi) {
    for (const auto& [which, canvas] : {std::pair{ScriptExport::Day, QSize(3040, 3040)},
                                        {ScriptExport::Sign, {4020, 3300}},
                                        {ScriptExport::Year, {4440, 3300}},
                                        {ScriptExport::KinBook, {4020, 3240}}}) {
        SCOPED_TRACE(static_cast<int>(which));
        blurs = 0;
        ASSERT_TRUE(run(which, true)) << notices.join('\n').toStdString();
        EXPECT_EQ(page.canvas.size(), canvas);
        EXPECT_GT(blurs, 0);  // softened
        EXPECT_FALSE(page.script.contains(kAfterResizeHeader));
    }
    ASSERT_TRUE(run(ScriptExport::Day, true));
    EXPECT_TRUE(page.script.contains("MOON 2248 1328 480 " + moonPhase() + " IMAGE"));
    EXPECT_TRUE(page.script.contains("/MOON 281 166 60 " + moonPhase() + " IMAGE"));
}

TEST_F(ExportDriverTest, FontLinesCarryTheTextColour) {
    ASSERT_TRUE(run(ScriptExport::Sign, false, exportColourText(200, 10, 0)));
    const QStringList fonts = page.script.filter(QRegularExpression("^FONT "));
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& line : fonts)
        EXPECT_TRUE(line.contains(" 200 10 0 ")) << line.toStdString();
    EXPECT_TRUE(redrawPage(page)) << page.interp.errorReason.toStdString();
}

}  // namespace
}  // namespace orbisca::testing
