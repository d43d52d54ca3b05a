#include "support/ChildProcess.h"

#include <chrono>

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <thread>
#else
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

extern char** environ;
#endif

#ifdef _WIN32

namespace {

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

// One argument quoted so that the C runtime's parser gives it back unchanged.
void AppendQuoted(std::wstring& line, const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += argument;
        return;
    }
    line += L'"';
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

// The process's environment with the given variables replaced or added, as the block
// CreateProcessW takes (NAME=value\0 ... \0).
std::wstring EnvironmentBlock(const std::vector<std::pair<std::string, std::string>>& changes) {
    std::vector<std::wstring> entries;
    wchar_t* current = GetEnvironmentStringsW();
    for (const wchar_t* entry = current; entry && *entry; entry += wcslen(entry) + 1)
        entries.emplace_back(entry);
    if (current) FreeEnvironmentStringsW(current);
    for (const auto& [name, value] : changes) {
        const std::wstring prefix = Widen(name) + L"=";
        std::erase_if(entries, [&](const std::wstring& e) {
            return e.size() >= prefix.size() &&
                   CompareStringOrdinal(e.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                                        static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
        });
        entries.push_back(prefix + Widen(value));
    }
    std::wstring block;
    for (const std::wstring& e : entries) block += e + L'\0';
    block += L'\0';
    return block;
}

}  // namespace

ChildOutcome RunChild(const std::string& program, const std::vector<std::string>& arguments,
                      const ChildOptions& options) {
    ChildOutcome outcome;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return outcome;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    HANDLE nul =
        CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherit, OPEN_EXISTING, 0, nullptr);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = options.withStdout ? writeEnd : nul;
    startup.hStdError = writeEnd;

    std::wstring line;
    AppendQuoted(line, Widen(program));
    for (const std::string& a : arguments) {
        line += L' ';
        AppendQuoted(line, Widen(a));
    }
    std::wstring environment = EnvironmentBlock(options.environment);
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                       environment.data(), nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    if (!started) {
        CloseHandle(readEnd);
        return outcome;
    }
    // The pipe is drained beside the wait, so a chatty child never blocks on a full pipe.
    std::thread reader([&] {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
            outcome.output.append(buffer, got);
    });
    const DWORD limit = static_cast<DWORD>(options.timeoutSeconds) * 1000u;
    if (WaitForSingleObject(process.hProcess, limit) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
        outcome.timedOut = true;
    }
    DWORD code = 0;
    if (!outcome.timedOut && GetExitCodeProcess(process.hProcess, &code))
        outcome.status = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    reader.join();
    CloseHandle(readEnd);
    std::erase(outcome.output, '\r');
    return outcome;
}

std::string ExecutableName(const std::string& name) {
    return name + ".exe";
}

#else

ChildOutcome RunChild(const std::string& program, const std::vector<std::string>& arguments,
                      const ChildOptions& options) {
    ChildOutcome outcome;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return outcome;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    // Everything the child needs is made before the fork: the test process has threads (the
    // GL driver's), and only async-signal-safe calls may run between fork and exec.
    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        bool replaced = false;
        for (const auto& change : options.environment)
            replaced = replaced || text.rfind(change.first + "=", 0) == 0;
        if (!replaced) variables.push_back(text);
    }
    for (const auto& [name, value] : options.environment) variables.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& v : variables) envp.push_back(v.data());
    envp.push_back(nullptr);
    const int nul = open("/dev/null", O_RDWR);

    const pid_t child = fork();
    if (child < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        if (nul >= 0) close(nul);
        return outcome;
    }
    if (child == 0) {
        dup2(nul, STDIN_FILENO);
        dup2(options.withStdout ? pipeEnds[1] : nul, STDOUT_FILENO);
        dup2(pipeEnds[1], STDERR_FILENO);
        close(pipeEnds[0]);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    if (nul >= 0) close(nul);
    close(pipeEnds[1]);
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(options.timeoutSeconds);
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            kill(child, SIGKILL);
            outcome.timedOut = true;
            break;
        }
        pollfd wait{pipeEnds[0], POLLIN, 0};
        if (poll(&wait, 1, static_cast<int>(left)) <= 0) continue;
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got <= 0) break;  // every writer has closed: the child is done or nearly
        outcome.output.append(buffer, static_cast<size_t>(got));
    }
    close(pipeEnds[0]);
    int raw = 0;
    waitpid(child, &raw, 0);
    if (!outcome.timedOut && WIFEXITED(raw)) outcome.status = WEXITSTATUS(raw);
    return outcome;
}

std::string ExecutableName(const std::string& name) {
    return name;
}

#endif
