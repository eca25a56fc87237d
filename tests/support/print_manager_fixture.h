// SPDX-License-Identifier: GPL-3.0-or-later
// A working folder for the print manager's tests: the assembled folder's files (texts, tables,
// settings) copied in, and the current day 21 August 2001.
#pragma once

#include <QDir>
#include <chrono>

#include "support/folder_fixture.h"

namespace orbisca::testing {

class PrintManagerFolderTest : public WorkingFolderTest {
protected:
    void SetUp() override {
        WorkingFolderTest::SetUp();
        for (const QFileInfo& file :
             QDir(QStringLiteral(ORBISCA_HOME_DIR)).entryInfoList(QDir::Files))
            QFile::copy(file.filePath(), home.filePath(file.fileName()));
        data.day.setClock([] {
            return std::chrono::system_clock::from_time_t(998'400'000);  // 21 August 2001
        });
        data.day.start();
    }
};

}  // namespace orbisca::testing
