#pragma once

#include <cstddef>
#include <memory>

// Decodes image files into pixels for FwTexture, with no graphics device needed (so the
// decoder can be tested and fuzzed on its own).
//
// Accepts PNG and BMP, the formats the game reads, at most kMaxSide texels on a side.
// Refuses empty or unreadable data, every other format (the decoder's JPEG, TGA and HDR
// readers mishandle corrupt files), a BMP shorter than the pixel rows its header announces
// (the decoder would pad it with zeros) and a PNG whose compressed data zlib finds corrupt
// (the decoder would read memory it never wrote).
// Output: four 8-bit channels per texel, rows top first.
struct DecodedImage {
    struct Free {
        void operator()(void* pixels) const;
    };

    int width = 0;                       // texels
    int height = 0;                      // texels
    std::unique_ptr<void, Free> pixels;  // owned; null when nothing was decoded

    std::size_t RowBytes() const { return static_cast<std::size_t>(width) * 4u; }
};

class ImageDecoder {
public:
    static constexpr int kMaxSide = 16384;

    // False (and out left empty) when the data is refused as above.
    static bool Decode(const unsigned char* bytes, std::size_t size, DecodedImage& out);
};
