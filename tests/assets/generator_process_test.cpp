// SPDX-License-Identifier: GPL-3.0-or-later
// The generator as the build runs it: same bytes on every run, and other files left alone. (A run
// that failed would leave the pack that every other pack test reads incomplete.)
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "support/folder_fixture.h"

namespace {

struct GeneratorRun {
    int exitCode = -1;
    QString err;
};

GeneratorRun runGenerator(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(ORBISCA_ASSETS), args);
    if (!p.waitForFinished(60000)) return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardError())};
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(GeneratorProcess, TwoRunsWriteTheSameBytesAndLeaveOtherFilesAlone) {
    QTemporaryDir a, b;
    ASSERT_TRUE(a.isValid() && b.isValid());
    // A text file of the working folder and a stale picture: the first stays, the second is
    // redrawn.
    ASSERT_TRUE(orbisca::testing::writeBytes(a.filePath("BASE.KTX"), "line 0\n"));
    ASSERT_TRUE(orbisca::testing::writeBytes(a.filePath("graphic/0Y.bmp"), "not a picture"));
    const GeneratorRun first = runGenerator({"--out", a.path()});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    const GeneratorRun second = runGenerator({"--out", b.path()});
    ASSERT_EQ(second.exitCode, 0) << second.err.toStdString();

    EXPECT_EQ(bytesOf(a.filePath("BASE.KTX")), QByteArray("line 0\n"));
    QStringList files;
    for (const QString& f : QDir(a.filePath("graphic")).entryList(QDir::Files))
        files << "graphic/" + f;
    EXPECT_EQ(files.size(), QDir(b.filePath("graphic")).entryList(QDir::Files).size());
    EXPECT_GT(files.size(), 500);
    files << "tech.dat"
          << "HRCT.dat";  // the boards' tables, beside the texts
    for (const QString& f : files) {
        const QByteArray one = bytesOf(a.filePath(f));
        EXPECT_FALSE(one.isEmpty()) << f.toStdString();
        EXPECT_EQ(one, bytesOf(b.filePath(f))) << f.toStdString();
    }
    EXPECT_TRUE(bytesOf(a.filePath("graphic/0Y.bmp")).startsWith("BM"));
}
