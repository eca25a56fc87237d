// SPDX-License-Identifier: GPL-3.0-or-later
// Running a command line as a user does, for the tests of orbisca-cli: stdout, stderr and the
// exit status.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

using ::testing::HasSubstr;  // what the program wrote, shown whole when it lacks a text

namespace orbisca::testing {

struct CliRun {
    int status = -1;  // the exit status, -1 when the program did not exit normally
    std::string out, err;
};

inline CliRun runCommandLine(const std::string& commandLine) {
    // A file of its own: ctest runs the cases in parallel.
    std::string errFile = ::testing::TempDir() + "/cli_stderr_XXXXXX";
    const int fd = mkstemp(errFile.data());
    if (fd >= 0) close(fd);
    const std::string command = commandLine + " 2>" + errFile;
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(errFile);
    std::stringstream ss;
    ss << in.rdbuf();
    run.err = ss.str();
    std::remove(errFile.c_str());
    return run;
}

#ifdef ORBISCA_CLI
// orbisca-cli with `args`: without XDG_RUNTIME_DIR, as on a machine where no one is logged in
// graphically, and with a time limit, so that a run that would wait for ever fails instead.
inline CliRun runCli(const std::string& args) {
    return runCommandLine("env -u XDG_RUNTIME_DIR timeout 60 " ORBISCA_CLI " " + args);
}
#endif

}  // namespace orbisca::testing
