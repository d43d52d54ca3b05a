#pragma once

#include <string>
#include <utility>
#include <vector>

// Runs a program the way a player's launcher or a script would, on any system: with
// arguments passed as they are (no shell), extra environment variables, and a time limit.
struct ChildOutcome {
    // The exit status; -1 when the program could not be started, was killed by a signal,
    // or ran past the time limit (then timedOut is true).
    int status = -1;
    bool timedOut = false;
    // What it wrote to stderr, and to stdout when that was asked for; line breaks as "\n"
    // (Windows' C runtime writes "\r\n").
    std::string output;
};

struct ChildOptions {
    // Added to (or replacing in) the test's own environment.
    std::vector<std::pair<std::string, std::string>> environment;
    // Only guards against a program that unexpectedly keeps running.
    int timeoutSeconds = 60;
    // Also collect stdout into output (interleaved as written); otherwise it is discarded.
    bool withStdout = false;
};

ChildOutcome RunChild(const std::string& program, const std::vector<std::string>& arguments,
                      const ChildOptions& options = {});

// The file name of a program built beside the tests: "name.exe" on Windows.
std::string ExecutableName(const std::string& name);
