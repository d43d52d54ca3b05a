#include "core/FileBytes.h"

#include <fstream>
#include <system_error>

bool WriteFileBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes,
                    std::string& error) {
    std::error_code ec;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}
