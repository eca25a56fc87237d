// SPDX-License-Identifier: GPL-3.0-or-later
// A temporary working folder with a program state of its own, for the tests of every layer that
// reads the working folder.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "data/data_error.h"
#include "data/text_file.h"
#include "state/program_state.h"

// Readable QStrings in failure messages.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << '"' << text.toStdString() << '"';
}

namespace orbisca::testing {

// Fonts need a QGuiApplication; one for the whole test program, unless it has a QApplication.
inline void ensureGuiApplication() {
    static int argc = 1;
    static char name[] = "tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QGuiApplication(argc, argv);
}

// The bytes of the file at `path`, "<missing>" when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Writes `content` as the file at `path`, its folder made first; whether all of it was written.
inline bool writeBytes(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

// The message of the DataFileError that `read` throws, or "no error".
template <typename Read>
QString errorOf(Read read) {
    try {
        read();
    } catch (const DataFileError& e) {
        return e.message();
    }
    return "no error";
}

// Signed 32-bit little-endian values, as "print.dat" holds them.
inline QByteArray printValues(std::initializer_list<std::int32_t> list) {
    QByteArray bytes;
    for (std::int32_t v : list)
        for (int i = 0; i < 4; ++i) bytes += char((std::uint32_t(v) >> (8 * i)) & 0xFF);
    return bytes;
}

// The texts, tables and settings of the assembled working folder copied into `folder`; its
// pictures, all but `leftOut`, linked into `folder`/graphic (the tests only read them).
inline void copyPackFiles(const QString& folder) {
    for (const QFileInfo& file : QDir(QStringLiteral(ORBISCA_HOME_DIR)).entryInfoList(QDir::Files))
        QFile::copy(file.filePath(), folder + "/" + file.fileName());
}
inline void linkPackPictures(const QString& folder, const QString& leftOut = {}) {
    QDir graphic(folder + "/graphic");
    graphic.removeRecursively();
    QDir().mkpath(graphic.path());
    const QDir pack(QStringLiteral(ORBISCA_HOME_DIR) + "/graphic");
    for (const QString& name : pack.entryList(QDir::Files))
        if (name != leftOut) QFile::link(pack.filePath(name), graphic.filePath(name));
}

class WorkingFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        data.folder.set(home.path());
        // Logs go beside the working folder, never next to the test binary: "program" stands
        // for the program's folder in a build tree, which the cache file beside it marks.
        ASSERT_TRUE(QDir(home.path()).mkdir("program"));
        QFile(home.filePath("CMakeCache.txt")).open(QIODevice::WriteOnly);
        data.errorLog.programFolder = home.filePath("program");
        // The desktop's files (the autostart entry) go into the test's folder too.
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    }

    void writeFile(const QString& name, const QByteArray& content) {
        ASSERT_TRUE(writeBytes(home.filePath(name), content)) << name.toStdString();
    }
    void writeLines(const QString& name, const QStringList& lines, const char* end = "\n") {
        writeFile(name, (lines.join(end) + end).toUtf8());
    }
    QByteArray readFile(const QString& name) const { return fileBytes(home.filePath(name)); }
    // The lines of a file, without the empty one after the last line end.
    QStringList readLines(const QString& path) const {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return {"<missing " + path + ">"};
        QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        if (lines.last().isEmpty()) lines.removeLast();
        return lines;
    }
    QStringList messages() const { return data.notifier.messages; }
    // The bundled pictures and glyph fonts of the working folder `packHome`, replacing what the
    // test wrote: what a user's program shows.
    void copyPackPicturesAndFonts(const QString& packHome) {
        for (const QString& folder : {QStringLiteral("graphic"), QStringLiteral("fonts")}) {
            QDir().mkpath(home.filePath(folder));
            for (const QFileInfo& f : QDir(packHome + "/" + folder).entryInfoList(QDir::Files)) {
                QFile::remove(home.filePath(folder + "/" + f.fileName()));
                QFile::copy(f.filePath(), home.filePath(folder + "/" + f.fileName()));
            }
        }
    }

    void linkPictures(const QString& leftOut = {}) { linkPackPictures(home.path(), leftOut); }

    QTemporaryDir home;
    // A fresh program state for each test, working in `home`.
    ProgramState program;
    DataState& data = program.data;
};

}  // namespace orbisca::testing
