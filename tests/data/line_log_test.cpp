#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "data/atomic_file.h"

using namespace orbisca;

TEST(LineLog, EachLineReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("Loading.log");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("a previous start\nERROR!!!\n");
    old.close();

    LineLog log;
    log.start(path);
    log.append("StartTime=10:00:00");
    auto content = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    };
    EXPECT_EQ(content(), "StartTime=10:00:00\n");  // the previous start's log is gone at the first line
    log.append("ControlsStyle=ok");
    EXPECT_EQ(content(), "StartTime=10:00:00\nControlsStyle=ok\n");
    log.close();
    log.append("after closing");
    EXPECT_EQ(content(), "StartTime=10:00:00\nControlsStyle=ok\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Loading.log"});

    LineLog nowhere;  // a folder that does not exist: skipped quietly
    nowhere.start(QDir(dir.path()).filePath("missing/Loading.log"));
    nowhere.append("StartTime=10:00:00");
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath("missing/Loading.log")));
}
