#include "core/ImageWriter.h"

#include <stb/stb_image_write.h>

#include <system_error>

namespace {

bool PrepareFolder(const std::filesystem::path& file, std::string& error) {
    std::error_code ec;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
    if (ec) {
        error = "cannot create folder for " + file.string() + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace

bool WritePng(const std::filesystem::path& file, const Canvas& image, std::string& error) {
    if (!PrepareFolder(file, error)) return false;
    const std::vector<uint8_t> pixels = image.ToRgba8();
    if (stbi_write_png(file.string().c_str(), image.Width(), image.Height(), 4, pixels.data(),
                       image.Width() * 4) == 0) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

bool EncodePng(const Canvas& image, std::vector<uint8_t>& bytes) {
    const std::vector<uint8_t> pixels = image.ToRgba8();
    bytes.clear();
    const auto append = [](void* context, void* data, int size) {
        auto& out = *static_cast<std::vector<uint8_t>*>(context);
        const auto* begin = static_cast<const uint8_t*>(data);
        out.insert(out.end(), begin, begin + size);
    };
    return stbi_write_png_to_func(append, &bytes, image.Width(), image.Height(), 4, pixels.data(),
                                  image.Width() * 4) != 0;
}

bool WriteBmp(const std::filesystem::path& file, const Canvas& image, std::string& error) {
    if (!PrepareFolder(file, error)) return false;
    const std::vector<uint8_t> pixels = image.ToRgb8();
    if (stbi_write_bmp(file.string().c_str(), image.Width(), image.Height(), 3, pixels.data()) ==
        0) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}
