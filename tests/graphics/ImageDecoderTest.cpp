// Image decoding before upload: what the texture loader hands to the GPU, with no device.
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <cstring>
#include <vector>

#include "engine/graphics/ImageDecoder.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Append(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    out->insert(out->end(), static_cast<unsigned char*>(data),
                static_cast<unsigned char*>(data) + size);
}

TEST(ImageDecoder, DecodesToFourChannelsTopRowFirst) {
    const unsigned char rgba[2 * 2 * 4] = {255, 0, 0,   255, 0, 255, 0, 255,
                                           0,   0, 255, 255, 9, 9,   9, 0};
    Bytes png;
    stbi_write_png_to_func(Append, &png, 2, 2, 4, rgba, 8);
    DecodedImage image;
    ASSERT_TRUE(ImageDecoder::Decode(png.data(), png.size(), image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.RowBytes(), 8u);
    EXPECT_EQ(std::memcmp(image.pixels.get(), rgba, sizeof rgba), 0);
}

// The decoder's JPEG reader hands back unwritten memory for some corrupt files and
// overruns its Huffman table for others, and its TGA and HDR readers decode a few bytes
// that claim a huge image for seconds into gigabytes (faults the fuzzer found). The game
// reads PNG and BMP only; every other format is refused.
TEST(ImageDecoder, ReadsPngAndBmpAndRefusesTheOtherFormats) {
    const unsigned char rgb[4 * 2 * 3] = {10,  20,  30,  40,  50,  60,  70,  80,
                                          90,  100, 110, 120, 130, 140, 150, 160,
                                          170, 180, 190, 200, 210, 220, 230};
    const float hdr[4 * 2 * 3] = {0.5f};
    const auto decodedWidth = [&](auto write) {
        Bytes out;
        write(out);
        DecodedImage image;
        const bool ok = ImageDecoder::Decode(out.data(), out.size(), image);
        EXPECT_EQ(ok, image.pixels != nullptr);
        return ok ? image.width : 0;
    };
    EXPECT_EQ(decodedWidth([&](Bytes& o) { stbi_write_png_to_func(Append, &o, 4, 2, 3, rgb, 12); }),
              4);
    EXPECT_EQ(decodedWidth([&](Bytes& o) { stbi_write_bmp_to_func(Append, &o, 4, 2, 3, rgb); }), 4);
    EXPECT_EQ(decodedWidth([&](Bytes& o) { stbi_write_tga_to_func(Append, &o, 4, 2, 3, rgb); }), 0);
    EXPECT_EQ(decodedWidth([&](Bytes& o) { stbi_write_hdr_to_func(Append, &o, 4, 2, 3, hdr); }), 0);
    EXPECT_EQ(decodedWidth([&](Bytes& o) { stbi_write_jpg_to_func(Append, &o, 4, 2, 3, rgb, 90); }),
              0);
    // A binary PNM (P6), which the decoder would read too.
    Bytes pnm = {'P', '6', '\n', '4', ' ', '2', '\n', '2', '5', '5', '\n'};
    pnm.insert(pnm.end(), rgb, rgb + sizeof rgb);
    DecodedImage image;
    EXPECT_FALSE(ImageDecoder::Decode(pnm.data(), pnm.size(), image));
}

// The decoder pads the missing rows of a cut-off BMP with zeros; a BMP must hold the rows
// its header announces, in the old OS/2 header form too.
TEST(ImageDecoder, RefusesABmpShorterThanItsRows) {
    Bytes core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0,  // file header, pixels at 26
                  12,  0,   0, 0, 2, 0, 2, 0, 1, 0, 24, 0};       // 2 × 2, 24 bits
    const Bytes rows = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    Bytes whole = core;
    whole.insert(whole.end(), rows.begin(), rows.end());
    DecodedImage image;
    ASSERT_TRUE(ImageDecoder::Decode(whole.data(), whole.size(), image));
    EXPECT_EQ(image.width, 2);
    whole.pop_back();
    EXPECT_FALSE(ImageDecoder::Decode(whole.data(), whole.size(), image));
    // The same header claiming 16000 × 16000 pixels in a 42-byte file.
    core[18] = core[20] = 0x80;
    core[19] = core[21] = 0x3E;
    core.insert(core.end(), rows.begin(), rows.end());
    EXPECT_FALSE(ImageDecoder::Decode(core.data(), core.size(), image));
}

// The decoder reads a compression it does not know as plain rows, padding what is missing;
// the fuzzer found a 42-byte file claiming 512 × 13312 pixels that way.
TEST(ImageDecoder, RefusesABmpWithAnUnknownCompression) {
    Bytes info = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header, pixels at 54
                  40,  0,   0, 0, 1, 0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0};  // 1 × 1, 24 bits
    info.resize(54, 0);                                                   // no compression
    const Bytes pixel = {1, 2, 3, 0};
    info.insert(info.end(), pixel.begin(), pixel.end());
    DecodedImage image;
    ASSERT_TRUE(ImageDecoder::Decode(info.data(), info.size(), image));
    for (unsigned char compression : {4, 5, 0x40}) {
        info[30] = compression;
        EXPECT_FALSE(ImageDecoder::Decode(info.data(), info.size(), image)) << int(compression);
    }
    info[30] = 3;  // bit fields need 16 or 32 bits a pixel: the decoder's own refusal
    EXPECT_FALSE(ImageDecoder::Decode(info.data(), info.size(), image));
}

// Deflate data, least significant bit first; Huffman codes go most significant bit first.
struct BitWriter {
    Bytes bytes;
    int used = 8;
    void Bit(unsigned bit) {
        if (used == 8) {
            bytes.push_back(0);
            used = 0;
        }
        bytes.back() = static_cast<unsigned char>(bytes.back() | (bit & 1u) << used++);
    }
    void Bits(unsigned value, int count) {
        for (int i = 0; i < count; ++i) Bit(value >> i);
    }
    void Code(unsigned code, int length) {
        for (int i = length - 1; i >= 0; --i) Bit(code >> i);
    }
    // Fixed-Huffman literal 0..143 and the end-of-block / length codes 256..279.
    void Literal(unsigned value) { Code(0x30 + value, 8); }
    void Symbol(unsigned value) { Code(value - 256, 7); }
};

void Chunk(Bytes& png, const char* type, const Bytes& data) {
    for (int shift = 24; shift >= 0; shift -= 8)
        png.push_back(static_cast<unsigned char>(data.size() >> shift));
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    png.insert(png.end(), 4, 0);  // the decoder does not check the CRC
}

// A 1 × 1 RGBA PNG whose pixel row is the filter byte 0, the literal 7 and three bytes
// copied by one length-3 match at the given fixed-Huffman distance code.
Bytes PngWithMatch(unsigned distanceCode) {
    BitWriter deflate;
    deflate.Bits(1, 1);  // final block
    deflate.Bits(1, 2);  // fixed Huffman codes
    deflate.Literal(0);
    deflate.Literal(7);
    deflate.Symbol(257);  // length 3
    deflate.Code(distanceCode, 5);
    deflate.Symbol(256);
    Bytes idat = {0x78, 0x01};
    idat.insert(idat.end(), deflate.bytes.begin(), deflate.bytes.end());
    idat.insert(idat.end(), 4, 0);  // nor the stream's checksum
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Chunk(png, "IHDR", {0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0, 0});
    Chunk(png, "IDAT", idat);
    Chunk(png, "IEND", {});
    return png;
}

// Deflate leaves distance codes 30 and 31 unused; the PNG decoder reads them as distance 0
// and copies output it never wrote (a fault the fuzzer found), so such a file is refused.
TEST(ImageDecoder, RefusesAPngWhoseDataUsesAnUnusedDistanceCode) {
    DecodedImage image;
    const Bytes good = PngWithMatch(0);  // distance 1: the literal 7 three more times
    ASSERT_TRUE(ImageDecoder::Decode(good.data(), good.size(), image));
    const auto* texel = static_cast<const unsigned char*>(image.pixels.get());
    EXPECT_EQ(texel[0], 7);
    EXPECT_EQ(texel[3], 7);
    for (unsigned code : {30u, 31u}) {
        const Bytes bad = PngWithMatch(code);
        EXPECT_FALSE(ImageDecoder::Decode(bad.data(), bad.size(), image)) << code;
        EXPECT_FALSE(image.pixels);
    }
}

TEST(ImageDecoder, RefusesNothingAtAllAndOversizedImages) {
    DecodedImage image;
    EXPECT_FALSE(ImageDecoder::Decode(nullptr, 10, image));
    const unsigned char byte = 0;
    EXPECT_FALSE(ImageDecoder::Decode(&byte, 0, image));
    // A 1-pixel-high BMP header claiming 16385 pixels of width.
    std::vector<unsigned char> wide(16385);
    Bytes bmp;
    stbi_write_bmp_to_func(Append, &bmp, 16385, 1, 1, wide.data());
    EXPECT_FALSE(ImageDecoder::Decode(bmp.data(), bmp.size(), image));
    bmp.clear();
    stbi_write_bmp_to_func(Append, &bmp, 16384, 1, 1, wide.data());
    EXPECT_TRUE(ImageDecoder::Decode(bmp.data(), bmp.size(), image));
}

}  // namespace
