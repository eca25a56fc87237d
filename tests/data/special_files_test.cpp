// SPDX-License-Identifier: GPL-3.0-or-later
// Files that are not what they seem, too large, shared by two programs or cut by a kill.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QLockFile>
#include <csignal>
#include <functional>

#include "data/atomic_file.h"
#include "data/donation_files.h"
#include "data/file_kind.h"
#include "data/print_window_file.h"
#include "gfx/image_io.h"
#include "support/folder_fixture.h"

namespace orbisca::testing {
namespace {

// Runs `work` in a child process and answers its wait status; the child ends with status 0 when
// `work` returns.
int inChild(const std::function<void()>& work) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        work();
        _exit(0);
    }
    int status = -1;
    waitpid(child, &status, 0);
    return status;
}

bool killedBySigkill(int status) { return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL; }

class SpecialFiles : public WorkingFolderTest {
protected:
    QString pipe(const char* name) {
        const QString path = home.filePath(name);
        EXPECT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0) << name;
        return path;
    }
    // What is on disk under the temporary folder's top level, the test's own folder left out.
    QStringList entries() const {
        QStringList names =
            QDir(home.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        names.removeAll("program");
        names.removeAll("CMakeCache.txt");
        return names;
    }
};

// A data file is only ever replaced when it is a regular file, and a log on a pipe is skipped, not
// waited for. (Outputs the user names, written through a pipe and refused on a folder or a
// socket, orbisca-cli's tests check.)
TEST_F(SpecialFiles, PipesAndFoldersAreNeverReplacedNorWaitedFor) {
    const QString fifo = pipe("out.fifo"), folder = home.filePath("out.dir");
    ASSERT_TRUE(QDir().mkdir(folder));
    for (const auto& [path, kind] : {std::pair{fifo, FileKind::Pipe}, {folder, FileKind::Folder}}) {
        QString error;
        EXPECT_FALSE(writeFileAtomically(path, QByteArray("x"), &error));
        EXPECT_EQ(error, path + " is " + fileKindName(kind) + ", not a regular file");
        LineLog log;
        log.start(path);
        log.append("StartTime=");
        EXPECT_EQ(fileKindOf(path), kind);
    }
    EXPECT_EQ(entries(), (QStringList{"out.dir", "out.fifo"}));
}

// A device is never replaced by a data file or picture. (Outputs the user names are written
// through to a device: orbisca-cli's tests check that, "/dev/full" and block devices too.)
TEST_F(SpecialFiles, DevicesAreNeverReplacedByADataFile) {
    if (geteuid() != 0) GTEST_SKIP() << "making device nodes needs root";
    const QString null = home.filePath("null.png");
    ASSERT_EQ(mknod(QFile::encodeName(null).constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
    QString error;
    EXPECT_FALSE(writeFileAtomically(null, QByteArray("x"), &error));
    EXPECT_THROW(gfx::saveImage(QImage(4, 4, QImage::Format_RGB888), null), gfx::ImageError);
    EXPECT_EQ(fileKindOf(null), FileKind::CharacterDevice);
    EXPECT_EQ(entries(), QStringList{"null.png"});
}

// A settings file that is a pipe is neither read (that would wait for ever) nor replaced; the
// message names it, and the program goes on. The print manager's two files are written both or
// neither. (A folder in their place takes the same path, refused as the text file tests show.)
TEST_F(SpecialFiles, SettingsFilesThatAreNotFilesAreRefusedNamingThem) {
    for (const char* name : {"conf.dat", "~last.spt", "strt.dat"}) pipe(name);
    EXPECT_EQ(loadSettings(data), ConfigLoad::Unreadable);
    EXPECT_EQ(messages().last(),
              "Error. Configuration file cannot be read! conf.dat: is a pipe, not a regular file");
    EXPECT_FALSE(saveSettings(data, Settings{}));
    EXPECT_TRUE(messages().last().contains(home.filePath("conf.dat") + " is a pipe"));
    EXPECT_FALSE(savePrintWindowFiles(data, PrintWindowValues{}, {"TEXT 1 1 rgt 'x'"}));
    EXPECT_TRUE(messages().last().contains("~last.spt is a pipe"));
    EXPECT_TRUE(countLaunch(data));  // an unreadable counter counts as a first launch
    EXPECT_FALSE(writeLaunchFile(data, "5"));
    EXPECT_TRUE(messages().last().contains("strt.dat is a pipe"));
    EXPECT_EQ(messages().filter("could not be saved").size(), 3);
    EXPECT_FALSE(data.notifier.endRequested);
    EXPECT_EQ(entries(), (QStringList{"conf.dat", "strt.dat", "~last.spt"}));
    for (const char* name : {"conf.dat", "~last.spt", "strt.dat"})
        EXPECT_EQ(fileKindOf(home.filePath(name)), FileKind::Pipe) << name;
}

// Checked as a user without rights on the file: as root, a child process gives them up first.
TEST_F(SpecialFiles, AConfigurationFileThatMayNotBeReadSaysSo) {
    writeFile("conf.dat", "Y\n");
    ASSERT_TRUE(QFile::setPermissions(home.filePath("conf.dat"), QFileDevice::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(
        home.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ExeOther));
    const int status = inChild([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        _exit(loadSettings(data) == ConfigLoad::Unreadable &&
                      data.notifier.messages.value(0) ==
                          "Error. Configuration file cannot be read! conf.dat: cannot be read: "
                          "permission denied"
                  ? 0
                  : 1);
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    QFile::setPermissions(home.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// A sparse file claims gigabytes: it is refused from its size, before anything is read.
TEST_F(SpecialFiles, FilesBeyondTheirLimitAreRefusedNamingTheLimit) {
    writeFile("conf.dat", "Y\n");
    QFile conf(home.filePath("conf.dat"));
    ASSERT_TRUE(conf.resize(kMaxDataFileBytes + 1));
    EXPECT_EQ(loadSettings(data), ConfigLoad::Unreadable);
    EXPECT_EQ(messages().last(),
              "Error. Configuration file cannot be read! conf.dat: 16777217 bytes, more than the "
              "limit of 16 MB");
    // (The scripts' limit orbisca-cli's tests check.)
    QString error;
    ASSERT_TRUE(conf.resize(kMaxDataFileBytes));  // the limit itself is allowed
    EXPECT_TRUE(readRegularFile(conf.fileName(), "conf.dat", &error));
}

// Two programs on one folder: every launch of both is counted. A lock left by a program that was
// killed is taken over.
TEST_F(SpecialFiles, TwoProgramsOnOneFolderCountEveryLaunch) {
    writeLines("strt.dat", {"1", "-1"});
    constexpr int kLaunches = 30;
    // A pause between launches, as between real starts: a loop that takes the lock again at once
    // could starve the other process past the lock's wait.
    auto launches = [&] {
        for (int i = 0; i < kLaunches; ++i) {
            countLaunch(data);
            usleep(30000);
        }
    };
    pid_t children[2];
    for (pid_t& child : children) {
        std::fflush(nullptr);
        child = fork();
        if (child == 0) {
            launches();
            _exit(0);
        }
    }
    for (pid_t child : children) waitpid(child, nullptr, 0);
    EXPECT_EQ(readLines(home.filePath("strt.dat")),
              (QStringList{QString::number(1 + 2 * kLaunches), "-1"}));

    const int status = inChild([this] {
        QLockFile lock(home.filePath("strt.dat.lock"));
        lock.lock();
        raise(SIGKILL);
    });
    ASSERT_TRUE(killedBySigkill(status));
    EXPECT_FALSE(countLaunch(data));
    EXPECT_EQ(readLines(home.filePath("strt.dat")).value(0), QString::number(2 + 2 * kLaunches));
}

// Each settings file, with the program killed after its new content is written and before the
// rename: the old file is whole.
TEST_F(SpecialFiles, AProgramKilledInTheMiddleOfASaveLeavesTheOldFile) {
    const std::pair<const char*, std::function<void()>> saves[] = {
        {"conf.dat", [&] { saveSettings(data, Settings{}); }},
        {"WindWHP.dat", [&] { savePrintWindowFiles(data, PrintWindowValues{}, {"new"}); }},
        {"~last.spt", [&] { savePrintWindowFiles(data, PrintWindowValues{}, {"new"}); }},
        {"strt.dat", [&] { countLaunch(data); }}};
    for (const auto& [name, save] : saves) {
        const QByteArray old = QByteArray("12\n-1\nold content of ") + name + "\n";
        writeFile(name, old);
        const int status = inChild([&, file = QString(name)] {
            data.beforeRename = [file](const QString& path) {
                if (path.endsWith("/" + file)) raise(SIGKILL);
            };
            save();
        });
        EXPECT_TRUE(killedBySigkill(status)) << name << ": " << status;
        EXPECT_EQ(readFile(name), old) << name;
    }
    EXPECT_FALSE(countLaunch(data));  // and the counter goes on from the old file
    EXPECT_EQ(readLines(home.filePath("strt.dat")), (QStringList{"13", "-1"}));
}

}  // namespace
}  // namespace orbisca::testing
