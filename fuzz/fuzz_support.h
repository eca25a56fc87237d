// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the fuzz targets: a temporary working folder shared by all runs of one target, a data
// state of each run's own working in it, the input as a file in it, and checks that stop the run
// with a message (libFuzzer keeps the input that failed). Qt Core only, like the data layer.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "data/data_state.h"
#include "data/text_file.h"

namespace orbisca::fuzz {

inline QByteArray inputBytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The folder every run of this process works in.
inline QDir fuzzFolder() {
    static QTemporaryDir folder;
    return QDir(folder.path());
}

// The data state of one run, working in the fuzz folder. Each run makes its own, so nothing a run
// leaves behind (messages, settings, texts read, what conf.dat said) reaches the next: a run reads
// what it wrote even when the file system's clock did not move between two runs.
struct RunState : DataState {
    RunState() { folder.set(fuzzFolder().path()); }
};

// Writes `content` as the data file `name`.
inline void putFile(const QString& name, const QByteArray& content) {
    QFile file(fuzzFolder().filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(content);
    file.close();
}

inline QByteArray fileContent(const QString& name) {
    QFile file(fuzzFolder().filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Stops the run when a property does not hold.
inline void check(bool holds, const char* what, const QString& detail = {}) {
    if (holds) return;
    std::fprintf(stderr, "fuzz check failed: %s %s\n", what, detail.toUtf8().constData());
    std::abort();
}

}  // namespace orbisca::fuzz
