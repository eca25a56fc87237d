#include "cli.h"

#include <charconv>
#include <cstdio>

namespace orbisca::cli {

std::vector<Command>& commands() {
    static std::vector<Command> table;
    return table;
}

CommandRegistration::CommandRegistration(Command command) {
    commands().push_back(std::move(command));
}

bool takeFlag(Args& args, const std::string& flag) {
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (*it == flag) {
            args.erase(it);
            return true;
        }
    }
    return false;
}

std::string takeOption(Args& args, const std::string& name) {
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (*it == name) {
            if (it + 1 == args.end()) throw UsageError("option " + name + " needs a value");
            std::string value = *(it + 1);
            args.erase(it, it + 2);
            return value;
        }
    }
    return {};
}

long long parseInteger(const std::string& text, const std::string& what, long long low,
                       long long high) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        throw UsageError(what + " must be a whole number, not \"" + text + "\"");
    if (value < low || value > high)
        throw UsageError(what + " must be between " + std::to_string(low) + " and " +
                         std::to_string(high) + ", not " + text);
    return value;
}

void expectNoMoreArgs(const Args& args) {
    if (!args.empty()) throw UsageError("unexpected argument \"" + args.front() + "\"");
}

std::string takeFirstArg(Args& args, const std::string& missing) {
    if (args.empty()) throw UsageError(missing);
    std::string first = args.front();
    args.erase(args.begin());
    return first;
}

int runSubcommand(const std::string& command, const Args& input, const Subcommands& actions) {
    std::string choices;
    for (const auto& [name, run] : actions) choices += (choices.empty() ? "" : " or ") + name;
    Args args = input;
    const std::string action = takeFirstArg(args, command + " needs " + choices);
    for (const auto& [name, run] : actions)
        if (name == action) return run(args);
    throw UsageError("unknown " + command + " action \"" + action + "\" (" + choices + ")");
}

void flushOutput() {
    if (std::fflush(stdout) != 0) throw CommandFailed("could not write the output");
}

}  // namespace orbisca::cli
