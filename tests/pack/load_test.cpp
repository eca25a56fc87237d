// The pack as the build assembles it loads through the program's own readers without an error or
// a message, and gives the intended defaults.
#include <QFile>
#include <gtest/gtest.h>
#include <vector>

#include "data/conf_file.h"
#include "data/donation_files.h"
#include "data/font_table.h"
#include "data/notifier.h"
#include "data/print_window_file.h"
#include "data/program_state.h"
#include "data/text_file.h"
#include "pack_files.h"
#include "pack_fonts.h"

namespace orbisca::packtest {
namespace {

TEST(PackLoad, TheBuildAssemblesEveryFileIntoTheWorkingFolder) {
    for (const QString& name : packFileNames() + QStringList{QStringLiteral("print.dat")})
        EXPECT_TRUE(QFile::exists(QStringLiteral(ORBISCA_HOME_DIR "/") + name)) << name.toStdString();
}

TEST(PackLoad, TextDatabasesReadUnderEverySpellingOfTheirNames) {
    const PackWorkingFolder folder;
    const QStringList base = packLines(QStringLiteral("BASE.KTX"));
    for (const MappedLine& entry : baseLineMap()) {
        for (const char* name : {"BASE.KTX", "BASE.ktx", "Base.ktx"})
            EXPECT_EQ(readtext(entry.line, QString::fromLatin1(name)), base.value(entry.line)) << name << " " << entry.line;
    }
    EXPECT_FALSE(readtext(0, QStringLiteral("DAYINFO.ktx")).isEmpty());
    EXPECT_FALSE(readtext(0, QStringLiteral("TONEINFO.ktx")).isEmpty());
    EXPECT_FALSE(readtext(0, QStringLiteral("PLASMINFO.ktx")).isEmpty());
    for (int page = 1; page <= 4; ++page) EXPECT_FALSE(readtext(0, QStringLiteral("hlp%1.ktx").arg(page)).isEmpty());
    EXPECT_TRUE(notifierState().messages.isEmpty()) << notifierState().messages.join('\n').toStdString();
    EXPECT_FALSE(notifierState().endRequested);
}

TEST(PackLoad, FontTableHasNineFonts) {
    ensureGuiApplication();
    const PackWorkingFolder folder;
    ASSERT_NO_THROW(readfonts());
    for (int index = 0; index < kFontTableSize; ++index) {
        const QFont font = packFont(index);
        EXPECT_GT(font.pixelSize(), 0) << "font " << index;
    }
}

TEST(PackLoad, SettingsGiveTheDefaults) {
    const PackWorkingFolder folder;
    ConfigModel model;
    Settings target;
    ASSERT_EQ(load(model, target), ConfigLoad::Loaded) << notifierState().messages.join('\n').toStdString();
    EXPECT_TRUE(target._SFX);
    EXPECT_EQ(target._spconst, 10);
    EXPECT_TRUE(target._Yshine && target._Yline && target._Yfigure && target._Sfigure);
    EXPECT_FALSE(target._Swapbtn);
    EXPECT_TRUE(target.greg_izin && target.greg_day && target.greg_views);
    EXPECT_TRUE(target.showgreg);
    EXPECT_EQ(target.datefmt, 0);  // dd.MM.yyyy
    EXPECT_EQ(target.helppages, 4);
    EXPECT_TRUE(target.moon_flag);
    EXPECT_FALSE(target.glyphFont.isEmpty());

    const PrintWindowFiles window = loadfsize();
    EXPECT_TRUE(window.problem.isEmpty()) << window.problem.toStdString();
    EXPECT_EQ(window.values, PrintWindowValues{});  // the form defaults
    EXPECT_TRUE(notifierState().messages.isEmpty()) << notifierState().messages.join('\n').toStdString();
}

// Each view of the donation details takes its lines from a fixed place in the list; every view
// has details at its place, all plainly marked as samples.
TEST(PackLoad, DonationDetailsStandAtTheirPlaces) {
    const PackWorkingFolder folder;
    QStringList details;
    ASSERT_NO_THROW(details = readinfo());
    EXPECT_EQ(details, packLines(QStringLiteral("donation_details.txt")));
    std::vector<QStringList> sections(1);
    for (const QString& line : packLines(QStringLiteral("donation.ktx"))) {
        if (line == QStringLiteral("%%%%")) sections.emplace_back();
        else sections.back() << line;
    }
    ASSERT_EQ(sections.size(), 11u) << "ten sections, each ended by %%%%";
    EXPECT_TRUE(sections.back().isEmpty()) << "text after the last section";
    const int base[] = {0, 20, 40, 56, 59, 62, 65};
    for (int option = 0; option < 7; ++option) {
        const QStringList& labels = sections.at(static_cast<std::size_t>(option) + 3);
        ASSERT_FALSE(labels.isEmpty()) << "option " << option;
        bool marked = false;
        for (int i = 0; i < labels.size(); ++i) {
            const QString entry = details.value(base[option] + i);
            EXPECT_FALSE(entry.isEmpty()) << "option " << option << " line " << i;
            marked = marked || entry.contains(QStringLiteral("sample"));
        }
        EXPECT_TRUE(marked) << "option " << option << " is not marked as sample details";
    }
}

}  // namespace
}  // namespace orbisca::packtest
