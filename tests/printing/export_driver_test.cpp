// SPDX-License-Identifier: GPL-3.0-or-later
// The export driver on the pack's views for 21 August 2001: the nine headers and canvases as
// written, and the easy-mode page rewritten for an A4 page at 600 dpi.
#include <QRegularExpression>
#include <cmath>

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
    int blurs = 0;
};

TEST_F(ExportDriverTest, CreativeModeWritesEveryHeaderOnItsCanvasAndLeavesTheFrameAlone) {
    for (const ScriptExportPage& info : kScriptExportPages) {
        SCOPED_TRACE(info.name);
        ASSERT_TRUE(run(info.which, false));
        EXPECT_EQ(page.script.value(0), QString::fromLatin1(info.header));
        EXPECT_GT(page.script.size(), 3);
        EXPECT_EQ(page.canvas.size(), info.canvas);
        EXPECT_FALSE(frame.state().exports.exporting);
    }
    ASSERT_TRUE(run(ScriptExport::Day, false));
    EXPECT_TRUE(page.script.contains("MOON 281 166 60 " + moonPhase() + " IMAGE"));
    ASSERT_TRUE(run(ScriptExport::KinBook, false));
    EXPECT_TRUE(page.script.contains("MOON 468 231 60 " + moonPhase() + " IMAGE"));
    // Nothing was drawn: the canvas is the background.
    EXPECT_EQ(page.canvas.pixel(100, 100), page.background | 0xff000000u);
    EXPECT_EQ(blurs, 0);
}

// The source's TEXT lines stay behind "/", and the live TEXT lines are their copies in the same
// order, each position round(source x factor).
void expectRewrittenTexts(const QStringList& script, double factor) {
    static const QRegularExpression text(QStringLiteral("^(/?)TEXT (-?\\d+) (-?\\d+) (.*)$"));
    QList<QRegularExpressionMatch> sources, copies;
    for (const QString& line : script)
        if (const auto match = text.match(line); match.hasMatch())
            (match.captured(1).isEmpty() ? copies : sources).append(match);
    ASSERT_FALSE(sources.isEmpty());
    ASSERT_EQ(sources.size(), copies.size());
    for (qsizetype i = 0; i < sources.size(); ++i) {
        const auto scaled = [&](int field) {
            return QString::number(std::lround(sources[i].captured(field).toInt() * factor));
        };
        EXPECT_EQ(copies[i].captured(2), scaled(2)) << sources[i].captured(0).toStdString();
        EXPECT_EQ(copies[i].captured(3), scaled(3)) << sources[i].captured(0).toStdString();
        EXPECT_EQ(copies[i].captured(4), sources[i].captured(4));
    }
}

TEST_F(ExportDriverTest, EasyModeFitsEachPageToA4At600Dpi) {
    struct Case {
        ScriptExport which;
        QSize canvas;
        double factor;
    };
    for (const Case& c :
         {Case{ScriptExport::Day, {3040, 3040}, 8}, Case{ScriptExport::Sign, {4020, 3300}, 6},
          Case{ScriptExport::Year, {4440, 3300}, 6},
          Case{ScriptExport::KinBook, {4020, 3240}, 6}}) {
        SCOPED_TRACE(static_cast<int>(c.which));
        blurs = 0;
        ASSERT_TRUE(run(c.which, true)) << notices.join('\n').toStdString();
        EXPECT_EQ(page.canvas.size(), c.canvas);
        EXPECT_GT(blurs, 0);  // softened
        EXPECT_FALSE(page.script.contains(kAfterResizeHeader));
        expectRewrittenTexts(page.script, c.factor);
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

TEST_F(ExportDriverTest, AFailingViewLeavesTheFrameOutOfExportState) {
    frame.setModePainter(FullModeView::Sign,
                         [](FullModeFrame&) { throw std::runtime_error("broken view"); });
    EXPECT_THROW(run(ScriptExport::Sign, true), std::runtime_error);
    EXPECT_FALSE(frame.state().exports.exporting);
    frame.setModePainter(FullModeView::Sign, {});
}

}  // namespace
}  // namespace orbisca::testing
