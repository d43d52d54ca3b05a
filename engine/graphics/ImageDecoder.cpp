#include "engine/graphics/ImageDecoder.h"

#include <stb/stb_image.h>
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <initializer_list>
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

bool StartsWith(const unsigned char* b, size_t size, const char* magic, size_t length) {
    return size >= length && std::memcmp(b, magic, length) == 0;
}

// The TGA header as the decoder tests it: colour-map type 0 or 1, an image type that goes
// with it, a known colour-map entry size, a width and height of at least 1 and a known pixel
// size. Nothing the decoder tries before TGA passes this (their first two bytes differ).
bool LooksLikeTga(const unsigned char* b, size_t size) {
    if (size < 18) return false;
    const unsigned mapType = b[1], imageType = b[2], mapEntryBits = b[7], pixelBits = b[16];
    const unsigned width = b[12] | b[13] << 8, height = b[14] | b[15] << 8;
    const auto oneOf = [](unsigned v, std::initializer_list<unsigned> set) {
        return std::find(set.begin(), set.end(), v) != set.end();
    };
    if (mapType == 1) {
        if (!oneOf(imageType, {1, 9}) || !oneOf(mapEntryBits, {8, 15, 16, 24, 32})) return false;
        if (!oneOf(pixelBits, {8, 16})) return false;
    } else if (mapType != 0 || !oneOf(imageType, {2, 3, 10, 11})) {
        return false;
    }
    return width >= 1 && height >= 1 && oneOf(pixelBits, {8, 15, 16, 24, 32});
}

// The game reads PNG and BMP files; TGA and Radiance HDR are kept as the other formats a
// texture may come in. The decoder's other formats are refused before it sees them: its
// JPEG reader hands back pixels it never wrote for some corrupt files and overruns its
// Huffman table for others (faults the fuzzer found), and GIF, PSD, PIC and PNM are simply
// not needed.
bool IsAcceptedFormat(const unsigned char* b, size_t size) {
    return StartsWith(b, size, "\x89PNG\r\n\x1A\n", 8) || StartsWith(b, size, "BM", 2) ||
           StartsWith(b, size, "#?RADIANCE\n", 11) || StartsWith(b, size, "#?RGBE\n", 7) ||
           LooksLikeTga(b, size);
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
