// A temporary working folder with every process-wide state reset, for the data-layer tests.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>

#include "calendar/calendar_state.h"
#include "data/error_log.h"
#include "data/notifier.h"
#include "data/program_state.h"
#include "data/text_file.h"
#include "data/working_folder.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace orbisca::testing {

inline void resetDataStates() {
    resetNotifierState();
    resetWorkingFolderState();
    resetErrorLogState();
    resetCompactState();
    resetFullModeState();
    resetSettings();
    resetCalendarState();
    clearTextCache();
}

class WorkingFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        resetDataStates();
        setWorkingFolder(home.path());
        // Logs go beside the working folder, never next to the test binary.
        ASSERT_TRUE(QDir(home.path()).mkdir("program"));
        errorLogState().programFolder = home.filePath("program");
    }
    void TearDown() override { resetDataStates(); }

    void writeFile(const QString& name, const QByteArray& content) {
        const QString path = home.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name.toStdString();
        file.write(content);
    }
    void writeLines(const QString& name, const QStringList& lines, const char* end = "\n") {
        QByteArray content;
        for (const QString& line : lines) content += line.toUtf8() + end;
        writeFile(name, content);
    }
    QByteArray readFile(const QString& name) const {
        QFile file(home.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList messages() const { return notifierState().messages; }

    QTemporaryDir home;
};

}  // namespace orbisca::testing
