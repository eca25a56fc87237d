// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli config show and donation launch / info on a working folder of their own.
#include "support/cli_run.h"
#include "support/folder_fixture.h"

namespace orbisca::testing {
namespace {

class SettingsCli : public WorkingFolderTest {
protected:
    void SetUp() override {
        WorkingFolderTest::SetUp();
        for (const char* name : {"conf.dat", "donation.ktx", "print.dat", "hlp1.ktx", "hlp2.ktx",
                                 "hlp3.ktx", "hlp4.ktx"})
            ASSERT_TRUE(
                QFile::copy(QStringLiteral(ORBISCA_HOME_DIR "/") + name, home.filePath(name)))
                << name;
    }
    CliRun run(const std::string& args) const {
        return runCli("--home '" + home.path().toStdString() + "' " + args);
    }
    QStringList counter() const { return readLines(home.filePath("strt.dat")); }
};

TEST_F(SettingsCli, ConfigShowPrintsTheSettingsInForceAndSaysWhatIsWrong) {
    const CliRun shown = run("config show");
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out,
              "_Yshine:Y\n_Yline:Y\n_Yfigure:Y\n_Sfigure:Y\n_SFX:Y\n_spconst:10\n_Swapbtn:N\n"
              "_sfont:Orbisca Glyphs\nhelppages:4\ngreg_izin:Y\ngreg_day:Y\ngreg_views:Y\n"
              "three_turtles:N\nshowgreg:Y\ndatefmt:0\nmoon_flag:Y\n");
    EXPECT_TRUE(shown.err.empty()) << shown.err;

    QStringList lines = readLines(home.filePath("conf.dat"));
    lines[4] = "N";      // no transitions: no fade steps
    lines[13] = "6";     // "no date"
    lines[14] = "moon";  // bad: kept at its default
    writeLines("conf.dat", lines);
    const CliRun bad = run("config show");
    EXPECT_EQ(bad.status, 1);
    for (const char* line : {"_SFX:N\n_spconst:0\n", "showgreg:N\ndatefmt:-1\nmoon_flag:Y\n"})
        EXPECT_THAT(bad.out, HasSubstr(line));
    EXPECT_EQ(bad.err, "conf.dat line 15: \"moon\" is not a whole number\n");

    lines[5] = "\x1b]0;pwned\x07";  // what a file holds reaches the terminal escaped
    writeLines("conf.dat", lines);
    const CliRun escaped = run("config show");
    EXPECT_THAT(escaped.out, HasSubstr("_spconst:"));
    EXPECT_EQ((escaped.out + escaped.err).find('\x1b'), std::string::npos);
    EXPECT_THAT(escaped.err, HasSubstr("\\x1b]0;pwned\\x07"));
}

TEST_F(SettingsCli, DonationLaunchCountsAsTheProgramDoes) {
    EXPECT_EQ(run("donation launch").out, "due\n");  // the first launch
    EXPECT_FALSE(QFile::exists(home.filePath("strt.dat")));

    writeLines("strt.dat", {"1", "5"});  // "remind me after" 5
    for (int launch = 1; launch <= 4; ++launch) EXPECT_EQ(run("donation launch").out, "not due\n");
    EXPECT_EQ(run("donation launch").out, "due\n");
    EXPECT_EQ(counter(), (QStringList{"6", "-1"}));
    EXPECT_EQ(run("donation launch").out, "not due\n");
}

TEST_F(SettingsCli, DonationInfoWritesTheDetailsOrSaysWhyNot) {
    const CliRun shown = run("donation info");
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out.rfind("Payee: Orbisca Project (sample payee)\nIBAN: DE00", 0), 0u);
    // Other data in place of the texts is refused by its shape, naming the file and line. (A
    // damaged print.dat and its message: the reminder's tests.)
    const std::pair<QByteArray, std::string> junk[] = {
        {QByteArray("Payee:\n%%%%\nIBAN:\n"),
         "donation.ktx line 4: the file ends after 1 sections"},
        {QByteArray("text\n\x01\x02\x03junk\n"), "donation.ktx line 2: a control character"}};
    for (const auto& [content, says] : junk) {
        writeFile("donation.ktx", content);
        const CliRun refused =
            run("donation info -o '" + home.filePath("info.txt").toStdString() + "'");
        EXPECT_EQ(refused.status, 1);
        EXPECT_THAT(refused.err, HasSubstr(says));
        EXPECT_FALSE(QFile::exists(home.filePath("info.txt")));
    }
}

}  // namespace
}  // namespace orbisca::testing
