// SPDX-License-Identifier: GPL-3.0-or-later
// A working folder for the print manager's tests, on 21 August 2001.
#pragma once

#include <chrono>

#include "support/folder_fixture.h"

namespace orbisca::testing {

class PrintManagerFolderTest : public WorkingFolderTest {
protected:
    void SetUp() override {
        WorkingFolderTest::SetUp();
        copyPackFiles(home.path());
        data.day.setClock([] {
            return std::chrono::system_clock::from_time_t(998'400'000);  // 21 August 2001
        });
        data.day.start();
    }
};

}  // namespace orbisca::testing
