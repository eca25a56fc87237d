// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli script run as a user runs it (the rewrite of script rescale is the rescale tests').
#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "support/folder_fixture.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <tuple>

namespace {

using orbisca::testing::CliRun;

struct ScriptCli : ::testing::Test {
    QTemporaryDir dir;
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    std::string write(const char* name, const QByteArray& content) {
        EXPECT_TRUE(orbisca::testing::writeBytes(dir.filePath(name), content));
        return path(name);
    }
    static QByteArray read(const std::string& file) {
        return orbisca::testing::fileBytes(QString::fromStdString(file));
    }
    static CliRun cli(const std::string& args) { return orbisca::testing::runCli(args); }
};

TEST_F(ScriptCli, RunRendersThePage) {
    const std::string script =
        write("day.spt",
              "[Day info script]\r\nFONT 12 -30 255 0 0 bld nrm DejaVu Sans\r\n"
              "TEXT 0 20 cnt KIN\r\n");
    const CliRun r =
        cli("script run " + script + " --date 2001-08-21 --canvas 120x80 --background 0,0,255 -o " +
            path("day.png"));
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage page(dir.filePath("day.png"));
    ASSERT_EQ(page.size(), QSize(120, 80));
    EXPECT_EQ(page.pixel(2, 2), qRgb(0, 0, 255));
    bool red = false;
    for (int y = 20; y < 60; ++y)
        for (int x = 40; x < 80; ++x) red = red || page.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_TRUE(red);
}

TEST_F(ScriptCli, SyntaxErrorExitsOneAndMarksTheFileOnlyWhenAsked) {
    const QByteArray text = "TEXT 1 1 rgt 'a'\nTEXT  1 1 rgt 'b'\n";
    const std::string script = write("bad.spt", text);
    CliRun r = cli("script run " + script + " --canvas 50x50 -o " + path("bad.png"));
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("Syntax error at line 2: "));
    EXPECT_EQ(read(script), text);
    EXPECT_EQ(cli("script run " + script + " --canvas 50x50 --mark -o " + path("bad.png")).status,
              1);
    EXPECT_EQ(
        read(script),
        "TEXT 1 1 rgt 'a'\n///Syntax error:\\\\\\\nTEXT  1 1 rgt 'b'\n///Syntax error END\\\\\\\n");
}

// Outputs named on the command line that are no regular files, made in a temporary folder: a pipe,
// a folder and a socket, and device nodes where the test runs as root (only root makes them).
struct SpecialOutputs : ScriptCli {
    void SetUp() override {
        script = write("s.spt", "TEXT 1 1 rgt 'a'\n");
        const std::tuple<const char*, mode_t, int> devices[] = {{"null", S_IFCHR, 3},
                                                                {"null.png", S_IFCHR, 3},
                                                                {"full", S_IFCHR, 7},
                                                                {"full.png", S_IFCHR, 7},
                                                                {"block", S_IFBLK, 0}};
        for (const auto& [name, type, minor] : devices) {
            if (!root) break;
            ASSERT_EQ(
                mknod(path(name).c_str(), type | 0600, makedev(type == S_IFBLK ? 7 : 1, minor)), 0);
        }
        ASSERT_EQ(mkfifo(path("fifo").c_str(), 0600), 0);
        ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path("socket").c_str(), sizeof address.sun_path - 1);
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(s);
    }
    // The kinds of everything in the folder, so that a replaced node shows.
    std::string kinds() const {
        std::string all;
        for (const char* name :
             {"null", "null.png", "full", "full.png", "block", "fifo", "folder", "socket"}) {
            struct stat info {};
            stat(path(name).c_str(), &info);
            all += std::to_string(info.st_mode & S_IFMT) + " ";
        }
        return all;
    }
    bool onDevice(const std::string& args) const {
        return args.find(path("null")) != std::string::npos ||
               args.find(path("full")) != std::string::npos ||
               args.find(path("block")) != std::string::npos;
    }
    const bool root = geteuid() == 0;
    std::string script;
};

TEST_F(SpecialOutputs, DevicesAndPipesAreWrittenThroughOthersRefusedAndNoneReplaced) {
    const std::string before = kinds();
    const std::string rescale = "script rescale " + script + " --factor 2 -o ";
    const std::string run = "script run " + script + " --canvas 10x10 -o ";
    const std::string print = "print --export sign --date 2001-08-21 --pdf ";
    const std::pair<std::string, std::pair<int, std::string>> cases[] = {
        {rescale + path("null"), {0, ""}},
        {run + path("null.png"), {0, ""}},
        {"ics 2001-01-01 2001-01-02 -o " + path("null"), {0, ""}},
        {rescale + path("full"), {1, path("full") + ": No space left on device"}},
        {run + path("full.png"), {1, path("full.png") + ": No space left on device"}},
        {rescale + path("block"), {1, path("block") + " is a block device, not a regular file"}},
        {rescale + path("folder"), {1, path("folder") + " is a folder, not a regular file"}},
        {run + path("socket"), {1, path("socket") + ": it is a socket, not a regular file"}},
        // Every command's -o follows the same rule: a picture without a suffix is a PNG.
        {"view day --date 2001-08-21 -o " + path("null"), {0, ""}},
        {"view day -o " + path("socket"), {1, path("socket") + ": it is a socket"}},
        {"compact -o " + path("full"),
         {1, "cannot write picture " + path("full") + ": No space left on device"}},
        {"--help >" + path("full"), {1, "could not write the output"}},
        {"moon 5 -o /dev/stdout >" + path("full"), {1, "No space left on device"}},
        // A print goes through a file of its own, by the same rule.
        {print + path("null"), {0, ""}},
        {print + path("socket"), {1, path("socket") + "\" cannot be written: it is a socket"}}};
    for (const auto& [args, expected] : cases) {
        if (!root && onDevice(args)) continue;
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, expected.first) << args << ": " << r.err;
        EXPECT_THAT(r.err, HasSubstr(expected.second)) << args;
        EXPECT_LE(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << ": " << r.err;
    }
    // A pipe is written through to its reader; /dev/stdout is the command's own output.
    CliRun r = orbisca::testing::runCommandLine("cat " + path("fifo") + " & timeout 60 " +
                                                ORBISCA_CLI + " " + rescale + path("fifo"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "/TEXT 1 1 rgt 'a'\nTEXT 2 2 rgt 'a'\n");
    r = cli(run + "/dev/stdout");
    EXPECT_EQ(r.out.substr(0, 4), "\x89PNG") << r.err;
    EXPECT_EQ(kinds(), before);
}

// A glyph face that cannot be used is said in one line naming the face and its file, and the
// run fails instead of drawing its signs as plain letters.
TEST_F(ScriptCli, AnUnusableGlyphFontIsSaidAndFailsTheRun) {
    const std::string home = path("home"), fonts = home + "/fonts";
    orbisca::testing::runCommandLine("cp -r " ORBISCA_HOME_DIR " '" + home + "'");
    const std::string at = "--home '" + home + "' ", day = " --date 2001-08-21 ";
    const std::string script = path("sign.spt");
    ASSERT_EQ(cli(at + "export sign --glyphs" + day + "-o " + script).status, 0);
    ASSERT_EQ(cli(at + "script run " + script + day + "-o " + path("good.png")).status, 0);
    const std::pair<std::string, std::string> damages[] = {
        {"rm '" + fonts + "/OrbiscaGlyphs.ttf' && mkfifo '" + fonts + "/OrbiscaGlyphs.ttf'",
         "the glyph face \"Orbisca Glyphs\" is not loaded: \"" + fonts +
             "/OrbiscaGlyphs.ttf\" is a pipe, not a regular file"},
        {"rm -r '" + fonts + "'", "is not loaded: the folder \"" + fonts + "\" does not exist"}};
    for (const auto& [damage, says] : damages) {
        orbisca::testing::runCommandLine(damage);
        for (const std::string& command :
             {"script run " + script + day + "-o " + path("sign.png"),
              "print --export sign" + day + "--pdf " + path("sign.pdf")}) {
            const CliRun r = cli(at + command);
            EXPECT_EQ(r.status, 1) << command;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << command << r.err;
            EXPECT_THAT(r.err, HasSubstr(says)) << command;
        }
        EXPECT_FALSE(QFile::exists(dir.filePath("sign.png")) ||
                     QFile::exists(dir.filePath("sign.pdf")));
    }
}

// Inputs too large for memory are refused from their size; a canvas beyond the picture limits
// from its sides; a canvas the memory cannot hold says so.
TEST_F(ScriptCli, OversizedInputsAndCanvasesAreRefusedNamingTheLimit) {
    const std::string huge = write("huge.spt", "TEXT 1 1 rgt 'a'\n");
    ASSERT_TRUE(QFile::resize(QString::fromStdString(huge), 3LL * 1024 * 1024 * 1024));
    CliRun r = cli("script run " + huge + " -o " + path("x.png"));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "orbisca-cli: " + huge + ": 3221225472 bytes, more than the limit of 64 MB\n");
    const std::string script = write("s.spt", "TEXT 1 1 rgt 'a'\n");
    r = cli("script run " + script + " --canvas 16384x16384 -o " + path("x.png"));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "orbisca-cli: --canvas of 16384 x 16384 pixels, more than the limit of 256 MB\n");

    // The smallest address space in which a small page is drawn leaves no room for 192 MB more.
    // (Under a sanitizer no such limit lets the program start: nothing to check then.)
    for (int megabytes = 200; megabytes <= 600; megabytes += 50) {
        const std::string limit = "ulimit -v " + std::to_string(megabytes * 1024) + "; ";
        if (orbisca::testing::runCommandLine(limit + ORBISCA_CLI + " script run " + script +
                                             " --canvas 10x10 -o " + path("x.png"))
                .status != 0)
            continue;
        r = orbisca::testing::runCommandLine(limit + ORBISCA_CLI + " script run " + script +
                                             " --canvas 8192x8192 -o " + path("x.png"));
        if (r.status == 0) continue;
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "orbisca-cli: not enough memory for a canvas of 8192 x 8192 pixels\n");
        return;
    }
}

// What a script holds is quoted with its control characters escaped, so a message is whole.
TEST_F(ScriptCli, MessagesShowControlCharactersAndSayWhatIsMissing) {
    const std::pair<QByteArray, std::string> cases[] = {
        {QByteArray("TEXT 1\0 1 rgt 'a'\n", 18),
         "Syntax error at line 1: x must be a whole number, not \"1\\0\"\n"},
        {"PICT 1 1 0 0 0 rgt ''\n", "Syntax error at line 1: PICT needs a file name\n"},
        {"PICT 1 1 0 0 0 rgt 'a\tb'\n",
         "Syntax error at line 1: the picture \"a\\tb\" does not exist\n"}};
    for (const auto& [text, says] : cases) {
        const CliRun r =
            cli("script run " + write("c.spt", text) + " --canvas 10x10 -o " + path("c.png"));
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, says);
    }
    const CliRun r =
        cli("data encode-print " + write("details.txt", QByteArray("Account\nIBAN\0DE89\n", 18)) +
            " " + path("print.dat"));
    EXPECT_EQ(r.status, 2);
    EXPECT_THAT(r.err, HasSubstr("details.txt line 2: holds a NUL byte (IBAN\\0DE89)"));
    EXPECT_FALSE(QFile::exists(dir.filePath("print.dat")));
}

}  // namespace
