// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the fuzz targets: a temporary working folder shared by all runs of one target, the
// input as a file in it, a GUI application for the targets that build fonts, and checks that stop
// the run with a message (libFuzzer keeps the input that failed).
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "data/notifier.h"
#include "data/text_file.h"
#include "data/working_folder.h"

namespace orbisca::fuzz {

inline QByteArray inputBytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The folder every run of this process works in; made the working folder on first use.
inline QDir fuzzFolder() {
    static QTemporaryDir folder;
    static const bool ready = [] {
        setWorkingFolder(folder.path());
        return true;
    }();
    (void)ready;
    return QDir(folder.path());
}

// Writes `content` as the data file `name` and forgets what the readers cached, so that each run
// reads what it wrote even when the file system's clock did not move between two runs.
inline void putFile(const QString& name, const QByteArray& content) {
    QFile file(fuzzFolder().filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(content);
    file.close();
    clearTextCache();
}

inline QByteArray fileContent(const QString& name) {
    QFile file(fuzzFolder().filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Fonts need a QGuiApplication; the offscreen platform needs no display.
inline void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// Stops the run when a property does not hold.
inline void check(bool holds, const char* what, const QString& detail = {}) {
    if (holds) return;
    std::fprintf(stderr, "fuzz check failed: %s %s\n", what, detail.toUtf8().constData());
    std::abort();
}

}  // namespace orbisca::fuzz
