#include "engine/platform/InputLog.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/platform/FilePath.h"
#include "engine/platform/Keys.h"

namespace {

constexpr const char* kHeader = "hoshikage-input 2";
// Written before windows could lose the focus mid-run: the same lines without the mark.
constexpr const char* kHeaderWithoutFocus = "hoshikage-input 1";
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

bool ParsePass(const std::string& line, bool focusMarks, PassLog& pass) {
    std::istringstream in(line);
    std::string tag, keys, cursors, times;
    if (!(in >> tag) || tag != "k" || !(in >> keys)) return false;
    if (!(in >> tag) || tag != "c" || !(in >> cursors)) return false;
    if (!(in >> tag)) return false;
    if (focusMarks && tag == "p") {
        pass.inactive = true;
        if (!(in >> tag)) return false;
    }
    if (tag != "t") return false;
    std::string rest;
    std::getline(in, rest);

    long long value = 0;
    for (const std::string& key : SplitList(keys, ',')) {
        if (!ParseInt(key, 16, value) || value < 0 || value > 0xFF) return false;
        pass.held.insert(static_cast<int>(value));
    }
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
        WriteList(line, 't', pass.timeReads, ' ', [&](uint32_t t) { line << t; });
        out << line.str().substr(1) << '\n';
    }
    return out.str();
}

bool InputLog::FromText(const std::string& text) {
    passes.clear();
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || (line != kHeader && line != kHeaderWithoutFocus)) return false;
    const bool focusMarks = line == kHeader;
    std::vector<PassLog> parsed;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        PassLog pass;
        if (!ParsePass(line, focusMarks, pass)) return false;
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
