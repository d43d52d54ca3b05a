#include "engine/platform/InputLog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "engine/platform/FilePath.h"
#include "engine/platform/Keys.h"

namespace {

constexpr const char* kHeader = "hoshikage-input 3";
// Written before menus and bindings: no raw keys, menu keys, commands or captures.
constexpr const char* kHeaderWithoutMenus = "hoshikage-input 2";
// Written before windows could lose the focus mid-run: the same lines without the mark.
constexpr const char* kHeaderWithoutFocus = "hoshikage-input 1";

constexpr char kMenuLetters[] = {'U', 'D', 'L', 'R', 'A', 'B'};

char CommandLetter(PlatformCommand command) {
    return command == PlatformCommand::Pause ? 'P' : 'O';
}

// One call's result, as the line writes it.
std::string CallText(const std::vector<MenuKey>& keys) {
    std::string text;
    for (MenuKey key : keys) text += kMenuLetters[static_cast<int>(key)];
    return text.empty() ? "." : text;
}
std::string CallText(const std::vector<PlatformCommand>& commands) {
    std::string text;
    for (PlatformCommand command : commands) text += CommandLetter(command);
    return text.empty() ? "." : text;
}
std::string CallText(const std::optional<PhysicalInput>& captured) {
    if (!captured) return ".";
    switch (captured->device) {
        case PhysicalInput::Device::Key:
            return "k" + std::to_string(captured->code);
        case PhysicalInput::Device::Mouse:
            return "m" + std::to_string(captured->code);
        case PhysicalInput::Device::Pad:
            return "p" + std::to_string(captured->code);
        case PhysicalInput::Device::None:
            break;
    }
    return "n";
}
// Cursor positions are client-area pixels: anything beyond this is a damaged file, and
// keeping them well inside the int range lets the replay add the window's place safely.
constexpr long long kMaxCursor = 1 << 24;

template <typename T, typename Write>
void WriteList(std::ostringstream& out, char tag, const T& items, char separator, Write write) {
    out << ' ' << tag << ' ';
    if (items.empty()) {
        out << '-';
        return;
    }
    bool first = true;
    for (const auto& item : items) {
        if (!first) out << separator;
        first = false;
        write(item);
    }
}

// Splits "a<sep>b<sep>c" (or "-" for none) into its pieces.
std::vector<std::string> SplitList(const std::string& field, char separator) {
    std::vector<std::string> parts;
    if (field == "-") return parts;
    std::string part;
    std::istringstream in(field);
    while (std::getline(in, part, separator)) parts.push_back(part);
    return parts;
}

bool ParseInt(const std::string& text, int base, long long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, base);
    return end && *end == '\0';
}

bool ParseKeys(const std::string& field, std::set<int>& keys) {
    long long value = 0;
    for (const std::string& key : SplitList(field, ',')) {
        if (!ParseInt(key, 16, value) || value < 0 || value > 0xFF) return false;
        keys.insert(static_cast<int>(value));
    }
    return true;
}

bool ParseMenuCall(const std::string& text, std::vector<MenuKey>& keys) {
    if (text == ".") return true;
    if (text.empty()) return false;
    for (char c : text) {
        const char* found = std::find(std::begin(kMenuLetters), std::end(kMenuLetters), c);
        if (found == std::end(kMenuLetters)) return false;
        keys.push_back(static_cast<MenuKey>(found - std::begin(kMenuLetters)));
    }
    return true;
}

bool ParseCommandCall(const std::string& text, std::vector<PlatformCommand>& commands) {
    if (text == ".") return true;
    if (text.empty()) return false;
    for (char c : text) {
        if (c != 'P' && c != 'O') return false;
        commands.push_back(c == 'P' ? PlatformCommand::Pause : PlatformCommand::OpenOptions);
    }
    return true;
}

bool ParseCaptureCall(const std::string& text, std::optional<PhysicalInput>& captured) {
    if (text == ".") return true;
    if (text == "n") {
        captured = PhysicalInput{};
        return true;
    }
    if (text.size() < 2 || text.size() > 5) return false;
    long long code = 0;
    if (!ParseInt(text.substr(1), 10, code) || code < 0 || text[1] == '-' || text[1] == '+')
        return false;
    PhysicalInput input;
    input.code = static_cast<int>(code);
    switch (text[0]) {
        case 'k':
            input.device = PhysicalInput::Device::Key;
            break;
        case 'm':
            input.device = PhysicalInput::Device::Mouse;
            break;
        case 'p':
            input.device = PhysicalInput::Device::Pad;
            break;
        default:
            return false;
    }
    captured = input;
    return true;
}

// The calls of one m, o or x field, each parsed by `call`; "-" is not a field (an absent
// field means no call returned anything).
template <typename T, typename Parse>
bool ParseCalls(const std::string& field, std::vector<T>& calls, Parse call) {
    if (field == "-" || field.empty() || field.back() == ';') return false;
    for (const std::string& text : SplitList(field, ';')) {
        T result{};
        if (!call(text, result)) return false;
        calls.push_back(std::move(result));
    }
    return true;
}

bool ParsePass(const std::string& line, int version, PassLog& pass) {
    std::istringstream in(line);
    std::string tag, keys, cursors, times;
    if (!(in >> tag) || tag != "k" || !(in >> keys)) return false;
    if (!(in >> tag) || tag != "c" || !(in >> cursors)) return false;
    if (!(in >> tag)) return false;
    if (version >= 2 && tag == "p") {
        pass.inactive = true;
        if (!(in >> tag)) return false;
    }
    std::string raw;
    bool rawGiven = false;
    if (version >= 3) {
        // The optional fields, each at most once and in this order.
        std::string field;
        const auto optional = [&](const char* name, auto parse) {
            if (tag != name) return true;
            if (!(in >> field) || !parse(field)) return false;
            return static_cast<bool>(in >> tag);
        };
        if (!optional("r", [&](const std::string& f) {
                rawGiven = true;
                return ParseKeys(f, pass.rawHeld);
            }))
            return false;
        if (!optional("m", [&](const std::string& f) {
                return ParseCalls(f, pass.menuReads, ParseMenuCall);
            }))
            return false;
        if (!optional("o", [&](const std::string& f) {
                return ParseCalls(f, pass.commandReads, ParseCommandCall);
            }))
            return false;
        if (!optional("x", [&](const std::string& f) {
                return ParseCalls(f, pass.captureReads, ParseCaptureCall);
            }))
            return false;
    }
    if (tag != "t") return false;
    std::string rest;
    std::getline(in, rest);

    long long value = 0;
    if (!ParseKeys(keys, pass.held)) return false;
    if (!rawGiven) pass.rawHeld = pass.held;
    for (const std::string& point : SplitList(cursors, ';')) {
        const auto comma = point.find(',');
        long long x = 0, y = 0;
        if (comma == std::string::npos || !ParseInt(point.substr(0, comma), 10, x) ||
            !ParseInt(point.substr(comma + 1), 10, y) || std::llabs(x) > kMaxCursor ||
            std::llabs(y) > kMaxCursor)
            return false;
        pass.cursorReads.push_back({static_cast<int>(x), static_cast<int>(y)});
    }
    std::istringstream timeIn(rest);
    std::string time;
    while (timeIn >> time) {
        if (time == "-") continue;
        if (!ParseInt(time, 10, value) || value < 0 || value > 0xFFFFFFFFLL) return false;
        pass.timeReads.push_back(static_cast<uint32_t>(value));
    }
    return true;
}

}  // namespace

const std::vector<int>& RecordedKeys() {
    static const std::vector<int> keys = {
        vk::LButton, vk::RButton, vk::Return, vk::Shift, vk::Space, vk::Left, vk::Up,
        vk::Right,   vk::Down,    'W',        'A',       'S',       'D'};
    return keys;
}

bool IsRecordedCommand(PlatformCommand command) {
    return command == PlatformCommand::Pause || command == PlatformCommand::OpenOptions;
}

std::string InputLog::ToText() const {
    std::ostringstream out;
    out << kHeader << '\n';
    for (const PassLog& pass : passes) {
        std::ostringstream line;
        line << std::hex;
        WriteList(line, 'k', pass.held, ',', [&](int key) { line << key; });
        line << std::dec;
        WriteList(line, 'c', pass.cursorReads, ';',
                  [&](const PlatformPoint& p) { line << p.x << ',' << p.y; });
        if (pass.inactive) line << " p";
        if (pass.rawHeld != pass.held) {
            line << std::hex;
            WriteList(line, 'r', pass.rawHeld, ',', [&](int key) { line << key; });
            line << std::dec;
        }
        const auto calls = [&](char tag, const auto& results) {
            if (results.empty()) return;
            WriteList(line, tag, results, ';',
                      [&](const auto& result) { line << CallText(result); });
        };
        calls('m', pass.menuReads);
        calls('o', pass.commandReads);
        calls('x', pass.captureReads);
        WriteList(line, 't', pass.timeReads, ' ', [&](uint32_t t) { line << t; });
        out << line.str().substr(1) << '\n';
    }
    return out.str();
}

bool InputLog::FromText(const std::string& text) {
    passes.clear();
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line)) return false;
    int version = 0;
    if (line == kHeader) version = 3;
    if (line == kHeaderWithoutMenus) version = 2;
    if (line == kHeaderWithoutFocus) version = 1;
    if (version == 0) return false;
    std::vector<PassLog> parsed;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        PassLog pass;
        if (!ParsePass(line, version, pass)) return false;
        parsed.push_back(std::move(pass));
    }
    passes = std::move(parsed);
    return true;
}

bool InputLog::Save(const std::string& path) const {
    std::ofstream out(PathFromUtf8(path), std::ios::binary);
    if (!out) return false;
    out << ToText();
    return static_cast<bool>(out);
}

bool InputLog::Load(const std::string& path) {
    passes.clear();
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    return FromText(text.str());
}
