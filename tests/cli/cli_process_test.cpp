// orbisca-cli as a user runs it: output, exit status and messages.
#include <gtest/gtest.h>

#include "cli_run.h"

#include <sys/stat.h>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

using orbisca::testing::CliRun;

CliRun runCli(const std::string& args) {
    return orbisca::testing::RunCommandLine(std::string(ORBISCA_CLI) + " " + args);
}

TEST(CliDay, PrintsThePositionUnderTheLogLabels) {
    const CliRun r = runCli("day 2001-08-21");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line :
         {"DATE:2001-08-21\n", "KIN:230\n", "YEAR SIGN:4\n", "YEAR TONE:9\n", "SIGN:10\n",
          "TONE:9\n", "PLASMA:6\n", "MONTH DAY:27\n", "MONTH:1\n", "WEEK NUMBER:4\n",
          "MOON PHASE:67796610\n", "GUIDE:6\n", "ANALOG:9\n", "ANTIPOD:20\n", "ATEACHER:11\n",
          "GLYPHS:Ji\n", "LAYOUT 0:21.08.2001\n", "LAYOUT 4:08/21\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
}

TEST(CliDay, JsonAndFixedToday) {
    const CliRun r = runCli("--today 2002-07-25 day --json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out.rfind(
            "{\"date\":\"2002-07-25\",\"position\":{\"kin\":48,\"yearSign\":4,\"yearTone\":9,", 0),
        0u)
        << r.out;
    EXPECT_NE(r.out.find("\"monthDay\":29,\"month\":0,"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"glyphs\":\"Hi\""), std::string::npos) << r.out;
}

TEST(CliRange, CsvRowsForFarYears) {
    const CliRun r = runCli("range -0044-03-14 -0044-03-15 --csv");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("date,kin,sign,tone,yearSign,", 0), 0u);
    EXPECT_NE(r.out.find("\n-0044-03-15,"), std::string::npos);
    const CliRun far = runCli("range 12000-01-01 12000-01-01 --csv");
    ASSERT_EQ(far.status, 0) << far.err;
    EXPECT_NE(far.out.find("\n12000-01-01,"), std::string::npos);
}

TEST(CliErrors, BadInputGivesOneLineAndStatusTwo) {
    for (const char* args :
         {"day 2001-02-30", "day 2001-13-01", "day yesterday", "range 2002-01-01 2001-01-01 --csv",
          "range 2001-01-01", "frobnicate", "day 2001-01-01 extra", "--today 2001-02-31 day"}) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << args;
    }
    const CliRun r = runCli("day 2001-02-30");
    EXPECT_NE(r.err.find("2001-02-30"), std::string::npos);
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
    EXPECT_EQ(runCli("data encode-print " + text).status, 2);
    const CliRun missing = runCli("data decode-print " + testing::TempDir() + "/none.dat");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.dat"), std::string::npos);

    // A file that cannot be written is a failure naming it: here its folder is a plain file.
    const CliRun unwritable = runCli("data encode-print " + text + " " + text + "/print.dat");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find(text + "/print.dat"), std::string::npos) << unwritable.err;
    const std::string pipe = testing::TempDir() + "/cli_pipe.dat";
    std::remove(pipe.c_str());
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const CliRun fromPipe = runCli("data decode-print " + pipe);  // refused, not waited on
    EXPECT_EQ(fromPipe.status, 1);
    EXPECT_NE(fromPipe.err.find("cli_pipe.dat: is not a regular file"), std::string::npos)
        << fromPipe.err;
    std::remove(pipe.c_str());
}

}  // namespace

namespace {

TEST(CliGfx, MoonWritesAPngAndRegionDescribesAMask) {
    const std::string png = testing::TempDir() + "/cli_moon.png";
    std::remove(png.c_str());
    CliRun r = runCli("moon 25 --size 40 -o " + png);
    ASSERT_EQ(r.status, 0) << r.err;
    std::ifstream in(png, std::ios::binary);
    std::string magic(8, '\0');
    in.read(magic.data(), 8);
    EXPECT_EQ(magic, "\x89PNG\r\n\x1a\n");

    EXPECT_EQ(runCli("moon 101 -o " + png).status, 2);
    EXPECT_EQ(runCli("moon 50 --size 19 -o " + png).status, 2);
    EXPECT_EQ(runCli("moon 50").status, 2);
    const CliRun unwritable = runCli("moon 50 -o " + png + "/moon.png");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find(png + "/moon.png"), std::string::npos) << unwritable.err;

    // Six of the 35 pixels are white, and the six pure red ones pair into three rectangles.
    r = runCli("region " ORBISCA_SOURCE_DIR "/tests/gfx/data/depth24.bmp");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("BOUNDING BOX:0 0 7 5\nRECTANGLES:", 0), 0u) << r.out;
    r = runCli("region /no/such/mask.bmp");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot read picture \"/no/such/mask.bmp\": the file does not exist"),
              std::string::npos)
        << r.err;
}

TEST(CliCompact, PaintsTheFaceOrSaysWhatIsMissing) {
    const std::string png = testing::TempDir() + "/cli_face.png";
    EXPECT_EQ(runCli("compact --date 2026-07-26").status, 2);
    EXPECT_EQ(runCli("compact --date 2026-02-30 -o " + png).status, 2);
    const std::string emptyHome = testing::TempDir() + "/cli_empty_home";
    std::filesystem::create_directories(emptyHome);
    CliRun r = runCli("compact --home " + emptyHome + " -o " + png);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("fdb.dat"), std::string::npos) << r.err;
    std::ifstream pictures(ORBISCA_HOME_DIR "/graphic/pyr0.bmp");
    if (!pictures) return;  // the picture pack is not generated in this build
    std::remove(png.c_str());
    r = runCli("compact --date 2026-07-25 --home " ORBISCA_HOME_DIR " -o " + png);
    ASSERT_EQ(r.status, 0) << r.err;
    std::ifstream in(png, std::ios::binary);
    std::string header(24, '\0');
    in.read(header.data(), 24);
    // The PNG's size: 600 x 450.
    EXPECT_EQ(header.substr(16, 8), std::string("\0\0\x02\x58\0\0\x01\xc2", 8));
}

}  // namespace
