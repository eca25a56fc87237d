// SPDX-License-Identifier: GPL-3.0-or-later
// The glyph form of exported views, written and drawn.
#include <QRegularExpression>

#include "data/data_error.h"
#include "data/sgn_table.h"
#include "data/text_file.h"
#include "data/working_folder.h"
#include "gfx/glyph_fonts.h"
#include "support/full_mode_fixture.h"
#include "views/element_renderer.h"
#include "views/glyph_export.h"
#include "views/mode_table.h"

namespace orbisca::testing {
namespace {

// The bounding box of the pixels of `page` that are not white.
QRect inkBox(const QImage& page) {
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
    return box;
}

class GlyphExport : public FullModeTest {
protected:
    void SetUp() override {
        FullModeTest::SetUp();
        const WorkingFolder built(QStringLiteral(ORBISCA_HOME_DIR));
        program.glyphFonts.registerFolder(
            built, [](const QString& m) { ADD_FAILURE() << m.toStdString(); });
    }

    // The script and year lines of a view in one form.
    std::pair<QStringList, QStringList> exportBoth(const ExportView& view, bool glyphs) {
        ScriptLines script, year;
        frame.state().exports.exportAsGlyphText = glyphs;
        exportView(frame, view, script, year);
        return {script.lines, year.lines};
    }

    static GlyphLines lines(int kind, int x = 100, int y = 100, bool centred = false) {
        return glyphExportLines({x, y, kind, centred}, {QStringLiteral("F"), nullptr, {}});
    }

    // The page a script draws, with its year page; "" or the error.
    QString render(const QStringList& script, const QStringList& year, QSize canvas, QImage& page) {
        const QString error = runScript(script, canvas, year);
        page = program.printPage.canvas.copy();
        return error;
    }
};

TEST_F(GlyphExport, TheDayPageWritesItsSignAndPlasmaAsStackedGlyphsWithRoleWords) {
    const QString face = data.settings.glyphFont;
    auto [script, year] = exportBoth(*findExportView("day"), true);
    const qsizetype sign = script.indexOf("FONT 72 -96 255 255 255 thn nrm " + face);
    ASSERT_GE(sign, 0);
    EXPECT_EQ(script.mid(sign, 4),
              QStringList({"FONT 72 -96 255 255 255 thn nrm " + face, "TEXT 110 154 rgt 'W'",
                           "FONT 72 -96 0 0 0 thn nrm " + face, "TEXT 110 154 rgt kin"}));
    EXPECT_TRUE(year.isEmpty());

    // The first day of plasma 1 inside a moon after the worked date.
    GregorianDate date = kWorkedDate;
    do {
        date = stepDate(date, 1);
        data.day.setDate(date);
    } while (data.day.position().plasma != 1 || data.day.position().month == 0);
    script = exportBoth(*findExportView("day"), true).first;
    const qsizetype plasma = script.indexOf("FONT 50 -67 255 255 0 thn nrm " + face);
    ASSERT_GE(plasma, 0);
    EXPECT_EQ(script.mid(plasma, 4),
              QStringList({"FONT 50 -67 255 255 0 thn nrm " + face, "TEXT 34 166 rgt 'X'",
                           "FONT 50 -67 0 0 0 thn nrm " + face, "TEXT 34 166 rgt plasm"}));
    // The text after an element writes its font again.
    const qsizetype next = script.indexOf(QRegularExpression("^TEXT .*'"), plasma + 4);
    ASSERT_GT(next, 0);
    EXPECT_TRUE(script[next - 1].startsWith("FONT ")) << script[next].toStdString();
}

// Where a family's lines go, and the kinds that have no glyph form. (Where the glyphs land, the
// test below measures on the drawn page.)
TEST_F(GlyphExport, FamiliesGoToTheirDestinationsAndKindsWithoutGlyphsWriteNothing) {
    // Halves go to the even neighbour: a size-35 sign at x 100 stands at 138 - 1.5.
    EXPECT_EQ(lines(98).lines.last(), "TEXT 136 96 rgt 'A'");
    EXPECT_EQ(lines(99, 101).lines.last(), "TEXT 138 96 rgt 'B'");
    for (int kind : {155, 174, 179, 230})
        EXPECT_EQ(lines(kind).destination, GlyphDestination::YearLines) << kind;
    EXPECT_TRUE(lines(175).lines.isEmpty());
}

// Each family's glyphs, run through the interpreter with the built fonts, cover the box its
// picture covers, to within a few pixels at each edge (one glyph serves pictures of several sizes).
TEST_F(GlyphExport, AnElementsGlyphsLandWhereItsPictureLands) {
    // The tone glyph ends a few pixels higher than its picture, clear of the sign glyph below it.
    const std::pair<int, int> kinds[] = {// kind, pixels of tolerance
                                         {1, 3},   {50, 3},  {73, 3},  {125, 5}, {315, 3},
                                         {328, 3}, {251, 3}, {296, 3}, {399, 3}, {364, 3}};
    const GlyphContext context{data.settings.glyphFont, nullptr,
                               [this] { return loadSgnTable(data.folder); }};
    auto drawnBox = [this](const QStringList& lines) {
        QImage page;
        EXPECT_EQ(render(lines, {}, {200, 200}, page), "") << lines.join('\n').toStdString();
        return inkBox(page);
    };
    for (const auto& [kind, tolerance] : kinds) {
        const QRect picture = drawnBox(
                        {QStringLiteral("PICT 60 60 0 0 0 rgt '%1'").arg(*printedFileName(kind))}),
                    glyphs = drawnBox(glyphExportLines({25, 60, kind, false}, context).lines);
        ASSERT_FALSE(picture.isEmpty() || glyphs.isEmpty()) << kind;
        const QMargins off(glyphs.left() - picture.left(), glyphs.top() - picture.top(),
                           glyphs.right() - picture.right(), glyphs.bottom() - picture.bottom());
        EXPECT_LE(std::max({std::abs(off.left()), std::abs(off.top()), std::abs(off.right()),
                            std::abs(off.bottom())}),
                  tolerance)
            << "kind " << kind << ": glyphs off by " << off.left() << ", " << off.top() << ", "
            << off.right() << ", " << off.bottom();
    }
}

// The day and oracle pages set the day's tone 2 pixels above its sign: in glyph form the tallest
// numerals' bars end a clear gap above the sign's tile.
TEST_F(GlyphExport, TheDaysToneGlyphEndsClearOfTheSignBelowIt) {
    data.day.setDate({7, 12, 0, 2026});  // tone 12: a row of dots over two bars
    for (const char* name : {"day", "oracle"}) {
        const ExportView view = *findExportView(name);  // a copy: the lookup returns a value
        const QStringList script = exportBoth(view, true).first;
        // The rows an element's glyphs ink, drawn alone: its lines end with its role word.
        auto inkRows = [&](const QString& role, int lines) {
            const qsizetype last = script.indexOf(QRegularExpression("^TEXT .* " + role + "$"));
            EXPECT_GE(last, lines) << name << " " << role.toStdString();
            QImage page;
            EXPECT_EQ(render(QStringList{script[0]} + script.mid(last - lines + 1, lines), {},
                             view.canvas, page),
                      "");
            return inkBox(page);
        };
        const int toneBottom = inkRows("tone", 2).bottom(), signTop = inkRows("kin", 4).top();
        EXPECT_GE(signTop - toneBottom - 1, 3) << name;
    }
}

// The kin book's week figure reads "sgn.dat" as the export runs: its colour written normalised,
// and a damaged file is an error naming it, not a FONT line with whatever the file held.
TEST_F(GlyphExport, TheWeekFigureTakesSgnDatAsValidatedAndNormalised) {
    const ExportView book = *findExportView("kinbook");
    GregorianDate date = kWorkedDate;
    qsizetype figureFont = -1;
    QStringList script;
    for (int i = 0; i < 60 && figureFont < 0; ++i) {
        data.day.setDate(date = stepDate(date, 1));
        script = exportBoth(book, true).first;
        figureFont = script.indexOf(QRegularExpression("^FONT 34 -45 .*URRUNE$"));
    }
    ASSERT_GE(figureFont, 0);
    QStringList sgn = readLines(home.filePath("sgn.dat"));
    ASSERT_GE(sgn.size(), kSgnLines);
    auto writeSgn = [&] {
        writeFile("sgn.dat", sgn.join("\r\n").toLatin1());
        clearTextCache(data.folder);
    };
    for (int g = 0; g < kSgnColourGroups; ++g) sgn[kSgnFigures + g] = "\t007   80 255 ";
    writeSgn();
    script = exportBoth(book, true).first;
    EXPECT_EQ(script.value(figureFont), "FONT 34 -45 7 80 255 thn nrm URRUNE");

    sgn[kSgnFigures + 3] = "255 0";
    writeSgn();
    const QString error = errorOf([&] { exportBoth(book, true); });
    EXPECT_TRUE(error.contains("sgn.dat")) << error;
}

TEST_F(GlyphExport, SmallSignsAndTonesLeaveTheScriptAndEveryElementForgetsTheFont) {
    ScriptLines script, year;
    frame.setScriptSink(script);
    frame.setYearSink(year);
    frame.state().exports.exporting = true;
    frame.state().exports.lastExportFont = 5;
    frame.drawElement(0, 0, 160, false);
    frame.drawElement(0, 0, 190, false);
    EXPECT_TRUE(script.lines.isEmpty());
    EXPECT_EQ(year.lines.size(), 6);
    EXPECT_EQ(frame.state().exports.lastExportFont, 255);
    frame.resetSinks();
    frame.state().exports.exporting = false;
}

// Every view in both forms over a dozen dates: the scripts run, their pictures exist, and the
// two pages agree away from the elements (the forms place everything else alike).
TEST_F(GlyphExport, EveryViewRunsInBothFormsAndThePagesAgreeOutsideTheElements) {
    const GregorianDate dates[] = {{21, 8, 0, 2001},  {25, 7, 0, 2026}, {29, 2, 0, 2024},
                                   {26, 7, 0, 2026},  {1, 1, 0, 2000},  {31, 12, 0, 1999},
                                   {13, 3, 0, 2010},  {9, 9, 0, 2018},  {28, 2, 0, 2023},
                                   {15, 11, 0, 2032}, {24, 7, 0, 2027}, {4, 5, 0, 2015}};
    for (const GregorianDate& date : dates) {
        data.day.setDate(date);
        for (const ExportView& view : exportViews()) {
            const std::string where = view.name.toStdString() + " " + describeDate(date);
            QImage pages[2];
            QRegion elements;
            for (const bool glyphs : {true, false}) {
                const auto [script, year] = exportBoth(view, glyphs);
                ASSERT_EQ(script.value(0), view.header) << where;
                EXPECT_GT(script.size(), 3) << where;  // more than the header and a font
                const qsizetype firstText = script.indexOf(QRegularExpression("^TEXT "));
                const qsizetype firstFont = script.indexOf(QRegularExpression("^FONT "));
                EXPECT_TRUE(firstText <= 0 || firstFont < firstText) << where;  // a font first
                EXPECT_EQ(render(script, year, view.canvas, pages[glyphs]), "") << where;
                for (const QString& line : script.filter(QRegularExpression("^PICT "))) {
                    const QString file = data.folder.resolve(line.section('\'', 1, 1));
                    ASSERT_TRUE(QFile::exists(file)) << line.toStdString();
                    const QStringList f = line.split(' ');
                    const QSize size = QImage(file).size();
                    const int x = f[6] == "cnt"
                                      ? f[1].toInt() + view.canvas.width() / 2 - size.width() / 2
                                      : f[1].toInt();
                    elements += QRect(QPoint(x, f[2].toInt()), size).adjusted(-12, -12, 12, 12);
                }
            }
            int differing = 0;
            for (int y = 0; y < pages[0].height(); ++y)
                for (int x = 0; x < pages[0].width(); ++x)
                    differing += pages[0].pixel(x, y) != pages[1].pixel(x, y) &&
                                 !elements.contains(QPoint(x, y));
            EXPECT_LT(differing, pages[0].width() * pages[0].height() / 200) << where;
        }
    }
}

}  // namespace
}  // namespace orbisca::testing
