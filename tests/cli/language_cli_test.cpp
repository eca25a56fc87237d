// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli in another language.
#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "support/folder_fixture.h"

#include <QFile>
#include <QFont>
#include <QRawFont>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <filesystem>

#include "data/day_words.h"
#include "data/text_file.h"

namespace {

using orbisca::testing::CliRun;
using orbisca::testing::runCli;
namespace fs = std::filesystem;

// The assembled working folder, every entry a link, with a small Russian pack beside it: the
// signs' names and the feed's name in Cyrillic, in Windows-1251 as the packs of this kind are.
class LanguageCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // The assembled Russian pack stays out: a link to it would let this test's small pack
        // overwrite the build's.
        for (const fs::directory_entry& entry : fs::directory_iterator(ORBISCA_HOME_DIR))
            if (entry.path().filename() != "ru")
                fs::create_symlink(entry.path(), fs::path(home()) / entry.path().filename());
        QStringList lines = orbisca::splitTextLines(
            QString::fromUtf8(orbisca::testing::fileBytes(ORBISCA_HOME_DIR "/BASE.KTX")));
        for (int sign = 1; sign <= 20; ++sign) {
            lines[orbisca::signNameLine(sign)] = QString::fromUtf8("Знак%1").arg(sign);
            lines[orbisca::sealNameLine(sign)] = QString::fromUtf8("Печать %1").arg(sign);
        }
        lines[orbisca::base_line::kFeedName] = QString::fromUtf8("Календарь тринадцати лун");
        lines[orbisca::base_line::kLanguageName] = QString::fromUtf8("Русский");
        ASSERT_TRUE(orbisca::testing::writeBytes(
            QString::fromStdString(home() + "/ru/BASE.KTX"),
            QStringEncoder("windows-1251").encode(lines.join("\r\n") + "\r\n")));
    }
    std::string home() const { return dir.path().toStdString(); }
    CliRun run(const std::string& args, const std::string& environment = "LC_ALL=C LANG=C") {
        return orbisca::testing::runCommandLine(
            "env -u XDG_RUNTIME_DIR -u LANGUAGE " + environment +
            " timeout 60 " ORBISCA_CLI " --home " + home() + " " + args);
    }
    void writeConf(const std::string& language) {
        const QString conf = QString::fromStdString(home() + "/conf.dat");
        QFile::remove(conf);  // the link to the assembled folder's file
        ASSERT_TRUE(orbisca::testing::writeBytes(
            conf, QByteArray("N\n").repeated(15) + language.c_str() + "\n"));
    }

    QTemporaryDir dir;
};

TEST_F(LanguageCli, TheLanguageComesFromLangElseConfElseTheLocale) {
    const std::string russian = "SIGN NAME:" + QString::fromUtf8("Знак10").toStdString();
    EXPECT_THAT(run("day 2001-08-21").out, HasSubstr("SIGN NAME:Dog"));
    EXPECT_THAT(run("--lang ru day 2001-08-21").out, HasSubstr(russian));
    const std::string inRussia = "LC_ALL= LANG=ru_RU.UTF-8";
    EXPECT_THAT(run("day 2001-08-21", inRussia).out, HasSubstr(russian));
    EXPECT_THAT(run("--lang en day 2001-08-21", inRussia).out, HasSubstr("SIGN NAME:Dog"));
    writeConf("en");
    EXPECT_THAT(run("day 2001-08-21", inRussia).out, HasSubstr("SIGN NAME:Dog"));
    // A language without a pack: bad input, naming the packs there are.
    for (const char* code : {"de", "../ru", "RU"}) {
        const CliRun wrong = run(std::string("--lang ") + code + " day 2001-08-21");
        EXPECT_EQ(wrong.status, 2) << code;
        EXPECT_THAT(wrong.err, HasSubstr("no such language pack (packs: en, ru)"));
    }
}

TEST_F(LanguageCli, TheFeedIsNamedAndSummedUpInTheLanguageChosen) {
    const CliRun feed = run("--lang ru ics 2001-08-21 2001-08-22");
    ASSERT_EQ(feed.status, 0) << feed.err;
    const std::string text = feed.out;
    EXPECT_THAT(text, HasSubstr(QString::fromUtf8("Календарь тринадцати лун").toStdString()));
    EXPECT_THAT(text, HasSubstr(QString::fromUtf8("Знак10").toStdString()));
}

// Every face the FONT lines of a Russian export name draws each Cyrillic letter of the TEXT lines
// after it: none is left to a box. (That each face is installed: the pack's line width test; the
// glyph fonts' lines, letters standing for figures, are not concerned.)
TEST_F(LanguageCli, AnExportInCyrillicNamesFacesThatHaveItsLetters) {
    orbisca::testing::ensureGuiApplication();
    int cyrillicTexts = 0;
    for (const char* view : {"day", "sign", "oracle", "wavespell", "kinbook"}) {
        const std::string script = home() + "/" + view + ".spt";
        const CliRun exported =
            run(std::string("--lang ru export ") + view + " --date 2001-08-21 -o " + script);
        ASSERT_EQ(exported.status, 0) << view << exported.err;
        QString face;
        const QByteArray lines = orbisca::testing::fileBytes(QString::fromStdString(script));
        for (const QString& line : orbisca::splitTextLines(QString::fromUtf8(lines))) {
            if (line.startsWith("FONT ")) face = line.section(' ', 8);
            if (!line.startsWith("TEXT ") || !line.contains(QRegularExpression("[А-яЁё]")))
                continue;
            ++cyrillicTexts;
            const QRawFont raw = QRawFont::fromFont(QFont(face));
            for (const QChar c : line.section('\'', 1, -2))
                EXPECT_TRUE(raw.supportsCharacter(c))
                    << view << " " << face.toStdString() << " lacks " << QString(c).toStdString();
        }
    }
    EXPECT_GT(cyrillicTexts, 0);
}

}  // namespace
