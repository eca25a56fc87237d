// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli as a user runs it: output, exit status and messages.
#include <gtest/gtest.h>

#include "support/cli_run.h"

#include <sys/stat.h>
#include <QImageReader>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace {

using orbisca::testing::CliRun;
using orbisca::testing::runCli;

// The names come from BASE.KTX of the working folder the build assembles, the default one.
TEST(CliDay, PrintsThePositionUnderTheLogLabelsAndTheNamesOfTheDay) {
    const CliRun r = runCli("day 2001-08-21");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    for (const char* lines :
         {"DATE:2001-08-21\nKIN:230\nYEAR SIGN:4\nYEAR TONE:9\n",
          "WEEK NUMBER:4\nSIGN:10\nTONE:9\nPLASMA:6\nMONTH DAY:27\nMONTH:1\nMOON PHASE:81134758\n"
          "GUIDE:6\nANALOG:9\nANTIPOD:20\nATEACHER:11\n",
          "SIGN NAME:Dog\nTONE NAME:Solar\nPLASMA NAME:Limi\nMOON NAME:Moon of the Bat\nGLYPHS:Ji\n"
          "LAYOUT 0:21.08.2001\n"})
        EXPECT_THAT(r.out, HasSubstr(lines)) << lines;
}

// Any date the calendar takes is today exactly, far outside a clock's range too; the feed's
// DTSTAMP keeps the real clock's time.
TEST(CliDay, JsonAnyDateAsTodayAndTheFeedStampedByTheClock) {
    const CliRun r = runCli("--today 2002-07-25 day --json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("\"kin\":48,\"yearSign\":4,\"yearTone\":9,"));
    EXPECT_THAT(r.out, HasSubstr("\"monthDay\":29,\"month\":0,"));
    EXPECT_THAT(r.out, HasSubstr("\"names\":{\"sign\":\"Star\",\"tone\":\"Solar\",\"plasma\":"
                                 "\"Silio\",\"moon\":\"The Day Out of Time\"}"));
    EXPECT_THAT(r.out, HasSubstr("\"glyphs\":\"Hi\""));
    // A working folder without the text database: the names cannot be given.
    const CliRun bare = runCli("day --home " + testing::TempDir());
    EXPECT_EQ(bare.status, 1);
    EXPECT_THAT(bare.err, HasSubstr("BASE.KTX"));
    for (const std::string today : {"2002-07-25", "1677-09-20", "2262-04-12", "2300-01-01",
                                    "2147483647-12-31", "-0044-03-15"}) {
        const CliRun at = runCli("--today " + today + " day --json");
        ASSERT_EQ(at.status, 0) << today << at.err;
        EXPECT_EQ(at.out.rfind("{\"date\":\"" + today + "\"", 0), 0u) << at.out;
    }
    const CliRun feed = runCli("--today 2300-01-01 ics 2024-01-01 2024-01-01");
    ASSERT_EQ(feed.status, 0) << feed.err;
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    EXPECT_THAT(feed.out, HasSubstr("DTSTAMP:" + std::to_string(utc.tm_year + 1900)));
}

// Bad input: a date that does not exist, a missing or unreadable input file, an unknown option
// or command. Exactly one line, naming what is wrong, even where Qt starts up.
TEST(CliErrors, BadInputGivesOneLineAndStatusTwo) {
    const std::string pipe = testing::TempDir() + "/cli_pipe.dat";
    std::remove(pipe.c_str());
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string missing = testing::TempDir() + "/none.spt";
    const std::pair<std::string, std::string> cases[] = {
        {"day 2001-02-30", "2001-02-30"},
        {"range 2002-01-01 2001-01-01 --csv", "is after"},
        {"range 2001-01-01", "two dates"},
        {"frobnicate", "frobnicate"},
        {"day 2001-01-01 extra", "extra"},
        {"--today 2001-02-31 day", "2001-02-31"},
        {"day --jsn", "unknown option \"--jsn\""},
        {"script rescale " + missing + " --factor 2 --bogus", "unknown option \"--bogus\""},
        {"script run " + missing + " -o x.png", "none.spt: No such file or directory"},
        {"script rescale " + missing + " --home " ORBISCA_HOME_DIR " --factor 2", "none.spt"},
        {"data decode-print " + pipe, "cli_pipe.dat: is a pipe, not a regular file"},
        {"region /no/such/mask.bmp", "mask.bmp: No such file or directory"},
        {"compact --date 2026-07-26", "-o FILE.png"},
        {"--home /no/such/folder day", "/no/such/folder"},
        {"view moon -o x.png", "\"moon\" is no mode"},
        {"view day --set colour=red -o x.png", "no setting is called \"colour\""},
        {"view day --set greg_day=1 -o x.png", "greg_day: \"1\" is neither Y nor N"},
        {"export moons13 --date 2001-08-21", "\"moons13\" is no exported view"},
        {"export day --glyphs --pictures", "--glyphs or --pictures, not both"},
        {"fade day --frames x", "FROM and TO"},
        {"moon 101 -o x.png", "101"},
        {"moon 50", "-o"},
        {"print --export signs", "\"signs\" is no exported view (day, tone, sign"},
        {"view help9 -o x.png", "there is no help page 9: the last is help4"},
        {"page --page 100x100 --canvas 5x5 --set left=2cm", "(use --no-center)"},
        // Control characters of the command line reach the terminal escaped.
        {"day \"$(printf '\\033]0;T\\0072001-01-01')\"", "\\x1b]0;T\\x072001-01-01"},
        {"--home \"$(printf '/no/\\033[2J')\" day", "/no/\\x1b[2J"}};
    for (const auto& [args, says] : cases) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << ": " << r.err;
        EXPECT_THAT(r.err, HasSubstr(says)) << args;
        EXPECT_TRUE(r.out.empty()) << args;
        EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << args;
    }
    std::remove(pipe.c_str());
}

// "COMMAND --help" shows that command's usage, wherever it stands after the command, and does
// nothing else: no output is written, no option is checked.
TEST(CliErrors, HelpAfterACommandShowsItsUsage) {
    const std::pair<std::string, std::string> cases[] = {
        {"moon --help", "  orbisca-cli moon PHASE [--size N] -o FILE.png\n"},
        {"script run missing.spt -h", "  orbisca-cli script rescale FILE"},
        {"export --bogus --help", "\n                     [--year-lines FILE]"},
        {"help ics", "  orbisca-cli ics FROM TO"}};
    for (const auto& [args, says] : cases) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, 0) << args << ": " << r.err;
        EXPECT_EQ(r.out.rfind("usage:\n", 0), 0u) << args << ": " << r.out;
        EXPECT_THAT(r.out, HasSubstr(says)) << args;
    }
}

TEST(CliData, EncodesAndDecodesPrintDat) {
    const std::string text = testing::TempDir() + "/details.txt";
    const std::string dat = testing::TempDir() + "/print.dat";
    std::ofstream(text) << "Account 40817\r\n\nIBAN DE89\n";
    const CliRun encoded = runCli("data encode-print " + text + " " + dat);
    ASSERT_EQ(encoded.status, 0) << encoded.err;
    const CliRun decoded = runCli("data decode-print " + dat);
    ASSERT_EQ(decoded.status, 0) << decoded.err;
    EXPECT_EQ(decoded.out, "Account 40817\n\nIBAN DE89\n");
    // The text itself is no print.dat, and says so.
    const CliRun notDat = runCli("data decode-print " + text);
    EXPECT_EQ(notDat.status, 1);
    EXPECT_THAT(notDat.err,
                HasSubstr("the file is not a print.dat (values must be -1, -2 or a character"));

    // A file that cannot be written is a failure naming it: here its folder is a plain file.
    const CliRun unwritable = runCli("data encode-print " + text + " " + text + "/print.dat");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_THAT(unwritable.err, HasSubstr(text + "/print.dat"));
}

TEST(CliGfx, MoonWritesAPngAndRegionDescribesAMask) {
    const std::string png = testing::TempDir() + "/cli_moon.png";
    std::remove(png.c_str());
    CliRun r = runCli("moon 25 --size 40 -o " + png);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(QImageReader(QString::fromStdString(png)).size(), QSize(40, 40));

    // Six of the 35 pixels are white, and the six pure red ones pair into three rectangles.
    r = runCli("region " ORBISCA_SOURCE_DIR "/tests/gfx/data/depth24.bmp");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("BOUNDING BOX:0 0 7 5\nRECTANGLES:", 0), 0u) << r.out;
}

// The full-mode frame: a view as a picture, an export as the script the interpreter runs, a fade
// as its frames.
TEST(CliFullMode, ViewExportAndFadeDriveTheFrame) {
    const std::string dir = testing::TempDir() + "/cli_full_mode";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    CliRun r = runCli("view help2 --date 2001-08-21 --set greg_day=N -o " + dir + "/help.png");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(QImageReader(QString::fromStdString(dir + "/help.png")).size(), QSize(670, 550));

    r = runCli("export 2 --date 2001-08-21 --pictures -o " + dir + "/sign.spt");
    ASSERT_EQ(r.status, 0) << r.err;
    // Glyphs unless pictures are asked for. (The lines themselves: the frame's export tests.)
    r = runCli("export sign --date 2001-08-21");
    EXPECT_EQ(
        r.out.rfind("[Sign info script]\nFONT 72 -96 255 255 255 thn nrm Orbisca Glyphs\n", 0), 0u)
        << r.out;
    r = runCli("script run " + dir + "/sign.spt --canvas 670x550 -o " + dir + "/sign.png");
    EXPECT_EQ(r.status, 0) << r.err;

    // The calendar views by name, and the year page's script, grid and all, through the
    // interpreter.
    r = runCli("view moons13 --date 2001-08-21 -o " + dir + "/week.png");
    EXPECT_EQ(r.status, 0) << r.err;
    r = runCli("export year --date 2001-08-21 --year-lines " + dir + "/year.lines -o " + dir +
               "/year.spt");
    ASSERT_EQ(r.status, 0) << r.err;
    r = runCli("script run " + dir + "/year.spt --year " + dir +
               "/year.lines --canvas 740x550 -o " + dir + "/year.png");
    EXPECT_EQ(r.status, 0) << r.err;

    r = runCli("fade day tone --date 2001-08-21 --speed 10 --frames " + dir + "/fade");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "10 frames\n");
    EXPECT_TRUE(std::filesystem::exists(dir + "/fade/009.png"));
    EXPECT_FALSE(std::filesystem::exists(dir + "/fade/010.png"));
}

// Without --home the face is painted from the working folder the build assembles.
TEST(CliCompact, PaintsTheFaceOrSaysWhatIsMissing) {
    const std::string png = testing::TempDir() + "/cli_face.png";
    std::remove(png.c_str());
    CliRun r = runCli("compact --date 2026-07-25 -o " + png);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_EQ(QImageReader(QString::fromStdString(png)).size(), QSize(600, 450));

    const std::string emptyHome = testing::TempDir() + "/cli_empty_home";
    std::filesystem::create_directories(emptyHome);
    r = runCli("compact --home " + emptyHome + " -o " + png);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_THAT(r.err, HasSubstr("fdb.dat"));
}

// The units come from the suffix; how the fields read and round numbers and which values they
// refuse, the page geometry's tests check (a refusal's one line: the bad-input test).
TEST(CliPage, ShowsTheFieldsAsTheWindowDoes) {
    const std::string cli = std::string(ORBISCA_CLI) + " page --page 4960x7016 --canvas 670x550 ";
    for (const auto& [args, out] :
         {std::pair{"--set width=2480px",
                    "left: 1240\ntop: 2490\nwidth: 2480\nheight: 2036\nscale: 370,15\n"},
          {"--set width=12.5cm",
           "left: 1004\ntop: 2296\nwidth: 12,5\nheight: 2424\nscale: 440,75\n"}}) {
        const CliRun r = orbisca::testing::runCommandLine(cli + args);
        EXPECT_EQ(r.status, 0) << args << ": " << r.err;
        EXPECT_EQ(r.out, out) << args;
    }
}

}  // namespace
