#include "engine/platform/FilePath.h"

#ifdef _WIN32
#include <cwchar>
#endif

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(
        std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::FILE* OpenFile(const std::string& utf8Path, const char* mode) {
#ifdef _WIN32
    // Modes are plain ASCII ("rb", "wb"), so widening them byte by byte is exact.
    std::wstring wideMode;
    for (const char* c = mode; *c; ++c) wideMode.push_back(static_cast<wchar_t>(*c));
    return _wfopen(PathFromUtf8(utf8Path).c_str(), wideMode.c_str());
#else
    return std::fopen(utf8Path.c_str(), mode);
#endif
}
