#include "engine/graphics/ImageDecoder.h"

#include <stb/stb_image.h>

#include <climits>
#include <cstdint>
#include <utility>

namespace {

uint32_t Le32(const unsigned char* b, size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// The image decoder pads a cut-off uncompressed BMP with zeros instead of failing; a file
// too short for the pixel rows its header announces is refused here.
bool BmpLooksComplete(const unsigned char* b, size_t size) {
    if (size < 2 || b[0] != 'B' || b[1] != 'M') return true;  // not a BMP
    if (size < 34) return false;
    const uint32_t headerSize = Le32(b, 14);
    if (headerSize < 40) return true;  // the old core header: left to the decoder
    const uint64_t offset = Le32(b, 10);
    const int32_t width = static_cast<int32_t>(Le32(b, 18));
    const int32_t height = static_cast<int32_t>(Le32(b, 22));
    const uint32_t bpp = static_cast<uint32_t>(b[28]) | static_cast<uint32_t>(b[29]) << 8;
    const uint32_t compression = Le32(b, 30);
    if (compression != 0 && compression != 3) return true;  // run-length data: no fixed size
    if (width <= 0 || height == 0 || height == INT32_MIN) return false;
    const uint64_t rowBytes = (static_cast<uint64_t>(width) * bpp + 31) / 32 * 4;
    const uint64_t rows =
        static_cast<uint64_t>(height < 0 ? -static_cast<int64_t>(height) : height);
    return offset + rowBytes * rows <= size;
}

}  // namespace

void DecodedImage::Free::operator()(void* pixels) const {
    stbi_image_free(pixels);
}

bool ImageDecoder::Decode(const unsigned char* bytes, std::size_t size, DecodedImage& out) {
    out = DecodedImage{};
    if (bytes == nullptr || size == 0 || size > static_cast<size_t>(INT32_MAX)) return false;
    if (!BmpLooksComplete(bytes, size)) return false;
    const int length = static_cast<int>(size);
    int w = 0, h = 0, channels = 0;
    if (!stbi_info_from_memory(bytes, length, &w, &h, &channels)) return false;
    if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return false;

    DecodedImage image;
    image.floats = stbi_is_hdr_from_memory(bytes, length) != 0;
    if (image.floats)
        image.pixels.reset(stbi_loadf_from_memory(bytes, length, &w, &h, &channels, 4));
    else
        image.pixels.reset(stbi_load_from_memory(bytes, length, &w, &h, &channels, 4));
    // The full decode may disagree with the header probe; its own size is the one to trust.
    if (!image.pixels || w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return false;
    image.width = w;
    image.height = h;
    out = std::move(image);
    return true;
}
