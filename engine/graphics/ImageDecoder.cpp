#include "engine/graphics/ImageDecoder.h"

#include <stb/stb_image.h>
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

uint32_t Le32(const unsigned char* b, size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// The image decoder pads a cut-off uncompressed BMP with zeros instead of failing; a file
// too short for the pixel rows its header announces is refused here. It refuses the
// run-length encodings itself but reads any other unknown compression (JPEG or PNG inside a
// BMP, or noise) as plain rows, so a 42-byte file claiming millions of pixels took seconds:
// only plain rows and bit fields are accepted.
bool BmpLooksComplete(const unsigned char* b, size_t size) {
    if (size < 2 || b[0] != 'B' || b[1] != 'M') return true;  // not a BMP
    if (size < 26) return false;
    const uint32_t headerSize = Le32(b, 14);
    const uint64_t offset = Le32(b, 10);
    int64_t width = 0, height = 0;
    uint32_t bpp = 0;
    if (headerSize == 12) {
        // The old OS/2 core header: 16-bit sizes.
        width = b[18] | b[19] << 8;
        height = static_cast<int16_t>(b[20] | b[21] << 8);
        bpp = b[24] | b[25] << 8;
    } else {
        if (size < 34) return false;
        width = static_cast<int32_t>(Le32(b, 18));
        height = static_cast<int32_t>(Le32(b, 22));
        bpp = static_cast<uint32_t>(b[28]) | static_cast<uint32_t>(b[29]) << 8;
        const uint32_t compression = Le32(b, 30);
        if (compression == 1 || compression == 2) return true;  // refused by the decoder
        if (compression != 0 && compression != 3) return false;
    }
    if (width <= 0 || height == 0) return false;
    const uint64_t rowBytes = (static_cast<uint64_t>(width) * bpp + 31) / 32 * 4;
    const uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);
    return offset + rowBytes * rows <= size;
}

bool StartsWith(const unsigned char* b, size_t size, const char* magic, size_t length) {
    return size >= length && std::memcmp(b, magic, length) == 0;
}

// The game reads PNG and BMP files only. The decoder's other formats are refused before it
// sees them: faults the fuzzer found in them would otherwise reach the game. Its JPEG reader
// hands back pixels it never wrote for some corrupt files and overruns its Huffman table for
// others; its TGA and HDR readers take a few bytes that claim a huge image as the whole
// image, read the missing bytes as zeros and spend seconds and gigabytes doing so.
bool IsAcceptedFormat(const unsigned char* b, size_t size) {
    return StartsWith(b, size, "\x89PNG\r\n\x1A\n", 8) || StartsWith(b, size, "BM", 2);
}

uint32_t Be32(const unsigned char* b) {
    return static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 |
           static_cast<uint32_t>(b[2]) << 8 | static_cast<uint32_t>(b[3]);
}

// The PNG decoder's inflater reads the two distance codes deflate leaves unused (30 and 31)
// as a distance of 0 and copies output bytes that were never written, so a corrupt file
// decodes to whatever the heap held. zlib's inflater refuses them: the compressed data is
// run through it first and the file refused on a data error. Output is thrown away; the
// stream's checksum, which the decoder ignores, is not checked either (raw inflation after
// the two-byte header), and a stream cut short is left for the decoder to judge.
bool PngDataInflates(const unsigned char* b, size_t size) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < 8 || std::memcmp(b, kSignature, 8) != 0) return true;
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) return false;
    size_t headerLeft = 2;  // Apple's CgBI files carry raw deflate data without it
    bool intact = true, finished = false;
    unsigned char scratch[16384];
    for (size_t at = 8; !finished && at + 8 <= size;) {
        const size_t length = Be32(b + at);
        const unsigned char* type = b + at + 4;
        if (length > size - at - 8) break;
        const unsigned char* data = b + at + 8;
        at += 12 + length;
        if (std::memcmp(type, "CgBI", 4) == 0) headerLeft = 0;
        if (std::memcmp(type, "IEND", 4) == 0) break;
        if (std::memcmp(type, "IDAT", 4) != 0) continue;
        const size_t skipped = std::min(headerLeft, length);
        headerLeft -= skipped;
        z.next_in = const_cast<unsigned char*>(data + skipped);
        z.avail_in = static_cast<uInt>(length - skipped);
        while (z.avail_in > 0) {
            z.next_out = scratch;
            z.avail_out = sizeof scratch;
            const int result = inflate(&z, Z_NO_FLUSH);
            if (result == Z_STREAM_END) {
                finished = true;
                break;
            }
            if (result == Z_DATA_ERROR || result == Z_MEM_ERROR || result == Z_NEED_DICT) {
                intact = false;
                finished = true;
                break;
            }
            if (result != Z_OK) break;
        }
    }
    inflateEnd(&z);
    return intact;
}

}  // namespace

void DecodedImage::Free::operator()(void* pixels) const {
    stbi_image_free(pixels);
}

bool ImageDecoder::Decode(const unsigned char* bytes, std::size_t size, DecodedImage& out) {
    out = DecodedImage{};
    if (bytes == nullptr || size == 0 || size > static_cast<size_t>(INT32_MAX)) return false;
    if (!IsAcceptedFormat(bytes, size) || !BmpLooksComplete(bytes, size) ||
        !PngDataInflates(bytes, size))
        return false;
    const int length = static_cast<int>(size);
    int w = 0, h = 0, channels = 0;
    if (!stbi_info_from_memory(bytes, length, &w, &h, &channels)) return false;
    if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return false;

    DecodedImage image;
    image.pixels.reset(stbi_load_from_memory(bytes, length, &w, &h, &channels, 4));
    // The full decode may disagree with the header probe; its own size is the one to trust.
    if (!image.pixels || w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return false;
    image.width = w;
    image.height = h;
    out = std::move(image);
    return true;
}
