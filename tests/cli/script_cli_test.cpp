// orbisca-cli script run as a user runs it (the rewrite of script rescale is the rescale tests').
#include <gtest/gtest.h>

#include "support/cli_run.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

using orbisca::testing::CliRun;

struct ScriptCli : ::testing::Test {
    QTemporaryDir dir;
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    std::string write(const char* name, const QByteArray& content) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path(name);
    }
    static QByteArray read(const std::string& file) {
        QFile f(QString::fromStdString(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // With a time limit, so a run that would wait for ever fails instead.
    static CliRun cli(const std::string& args) {
        return orbisca::testing::RunCommandLine("timeout 60 " + std::string(ORBISCA_CLI) + " " +
                                                args);
    }
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
    EXPECT_NE(r.err.find("Syntax error at line 1"), std::string::npos) << r.err;
    EXPECT_EQ(read(script), text);
    EXPECT_EQ(cli("script run " + script + " --canvas 50x50 --mark -o " + path("bad.png")).status,
              1);
    EXPECT_EQ(
        read(script),
        "TEXT 1 1 rgt 'a'\n///Syntax error:\\\\\\\nTEXT  1 1 rgt 'b'\n///Syntax error END\\\\\\\n");
}

}  // namespace
