// The Windows icon as Windows reads it: an ICO directory whose entries point at PNG images
// of the sizes they declare, one per size the shell draws.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "images/AppIcon.h"

namespace {

uint32_t Read16(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8;
}
uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return Read16(b, at) | Read16(b, at + 2) << 16;
}

TEST(WindowsIcon, EveryEntryIsAPngOfTheSizeItDeclares) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "hoshikage-icon-test" / "hoshikage.ico";
    std::string error;
    ASSERT_TRUE(WriteWindowsIcon(file, error)) << error;
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> ico{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
    std::filesystem::remove_all(file.parent_path());

    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(Read16(ico, 0), 0u);
    EXPECT_EQ(Read16(ico, 2), 1u);  // an icon
    const size_t count = Read16(ico, 4);
    ASSERT_EQ(count, std::size(kWindowsIconSizes));
    ASSERT_GE(ico.size(), 6 + 16 * count);

    size_t expectedOffset = 6 + 16 * count;
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * i;
        const int size = kWindowsIconSizes[i];
        // Width and height bytes, 0 standing for 256.
        EXPECT_EQ(ico[entry] == 0 ? 256 : ico[entry], size);
        EXPECT_EQ(ico[entry + 1] == 0 ? 256 : ico[entry + 1], size);
        EXPECT_EQ(Read16(ico, entry + 6), 32u);
        const uint32_t bytes = Read32(ico, entry + 8);
        const uint32_t offset = Read32(ico, entry + 12);
        EXPECT_EQ(offset, expectedOffset) << "images follow each other without gaps";
        ASSERT_LE(size_t(offset) + bytes, ico.size());
        expectedOffset = offset + bytes;

        int w = 0, h = 0, channels = 0;
        unsigned char* pixels =
            stbi_load_from_memory(ico.data() + offset, int(bytes), &w, &h, &channels, 4);
        ASSERT_NE(pixels, nullptr) << size << " px: not a PNG";
        EXPECT_EQ(w, size);
        EXPECT_EQ(h, size);
        // Rounded corners: transparent there, opaque in the middle.
        EXPECT_EQ(pixels[3], 0) << size << " px";
        EXPECT_EQ(pixels[(size_t(h / 2) * w + w / 2) * 4 + 3], 255) << size << " px";
        stbi_image_free(pixels);
    }
    EXPECT_EQ(expectedOffset, ico.size());
}

}  // namespace
