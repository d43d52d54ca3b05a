#pragma once

#include <cstddef>
#include <memory>

// Decodes image files into pixels for FwTexture, with no graphics device needed (so the
// decoder can be tested and fuzzed on its own).
//
// Accepts PNG, BMP, TGA and Radiance HDR (the first decoder that reads the data wins), at
// most kMaxSide texels on a side. Refuses empty or unreadable data, the decoder's other
// formats (JPEG, GIF, PSD, PIC, PNM), an uncompressed BMP shorter than its header announces
// (the decoder would pad it with zeros) and a PNG whose compressed data zlib finds corrupt
// (the decoder would read memory it never wrote).
// Output: four channels per texel, rows top first; 8-bit unsigned for every format but
// HDR, which gives 32-bit floats.
struct DecodedImage {
    struct Free {
        void operator()(void* pixels) const;
    };

    int width = 0;   // texels
    int height = 0;  // texels
    bool floats = false;
    std::unique_ptr<void, Free> pixels;  // owned; null when nothing was decoded

    std::size_t RowBytes() const { return static_cast<std::size_t>(width) * (floats ? 16u : 4u); }
};

class ImageDecoder {
public:
    static constexpr int kMaxSide = 16384;

    // False (and out left empty) when the data is refused as above.
    static bool Decode(const unsigned char* bytes, std::size_t size, DecodedImage& out);
};
