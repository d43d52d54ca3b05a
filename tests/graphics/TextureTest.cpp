#include <stb/stb_image_write.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "GraphicsFixture.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "engine/platform/FilePath.h"

namespace {

std::vector<uint8_t> Checker(int w, int h, uint8_t alpha) {
    std::vector<uint8_t> px(static_cast<size_t>(w) * h * 4);
    for (int i = 0; i < w * h; ++i) {
        const bool on = ((i % w) + (i / w)) % 2 == 0;
        px[i * 4 + 0] = on ? 255 : 10;
        px[i * 4 + 1] = 128;
        px[i * 4 + 2] = on ? 0 : 200;
        px[i * 4 + 3] = alpha;
    }
    return px;
}

std::string WritePng(const std::string& name, int w, int h, uint8_t alpha = 255) {
    const std::string path = GraphicsTestDir() + "/" + name;
    const std::vector<uint8_t> px = Checker(w, h, alpha);
    EXPECT_TRUE(stbi_write_png(path.c_str(), w, h, 4, px.data(), w * 4));
    return path;
}

std::vector<char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

TEST_F(GraphicsTest, CacheLoadsEachExactPathOnce) {
    const std::string path = WritePng("cached.png", 8, 4);
    FwTexture* first = GetTexture(path);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->HasSRV());
    EXPECT_EQ(first->GetDesc().width, 8);
    EXPECT_EQ(first->GetDesc().height, 4);
    EXPECT_EQ(first->GetDesc().format, PixelFormat::R8G8B8A8_Unorm);
    EXPECT_EQ(first->GetFilePath(), path);
    EXPECT_FALSE(first->IsBottomUp());

    // The file changes on disk: the cache does not read it again.
    WritePng("cached.png", 16, 16);
    EXPECT_EQ(GetTexture(path), first);
    EXPECT_EQ(first->GetDesc().width, 8);
    EXPECT_EQ(GetTextureCacheSize(), 1);

    // Spellings of the same file are separate entries, each loaded on its own.
    const std::string dir = GraphicsTestDir();
    FwTexture* doubled = GetTexture(dir + "//cached.png");
    FwTexture* dotted = GetTexture(dir + "/./cached.png");
    EXPECT_NE(doubled, first);
    EXPECT_NE(dotted, first);
    EXPECT_EQ(doubled->GetDesc().width, 16);
    FwTexture* upper = GetTexture(dir + "/CACHED.png");
    EXPECT_NE(upper, first);
    // Another file on a case-sensitive file system, the same one on Windows': either way an
    // entry of its own.
    EXPECT_EQ(upper->HasSRV(), std::filesystem::exists(PathFromUtf8(dir + "/CACHED.png")));
    EXPECT_EQ(GetTextureCacheSize(), 4);
}

TEST_F(GraphicsTest, MissingFileGivesTheSameEmptyTextureEveryTime) {
    const std::string path = GraphicsTestDir() + "/absent.png";
    std::filesystem::remove(path);
    FwTexture* missing = GetTexture(path);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->GetSRV(), 0u);
    EXPECT_FALSE(missing->HasSRV());
    EXPECT_TRUE(missing->GetFilePath().empty());
    EXPECT_EQ(missing->GetDesc().width, 0);
    // Creating the file later changes nothing: failures are not retried.
    WritePng("absent.png", 2, 2);
    EXPECT_EQ(GetTexture(path), missing);
    EXPECT_FALSE(missing->HasSRV());
    EXPECT_FALSE(GetTexture("")->HasSRV());
}

TEST_F(GraphicsTest, BrokenImagesLoadAsEmptyTextures) {
    const std::string dir = GraphicsTestDir();
    const std::string png = WritePng("whole.png", 32, 32);
    const std::vector<char> bytes = ReadBytes(png);
    ASSERT_GT(bytes.size(), 60u);

    std::vector<std::pair<std::string, std::vector<char>>> cases;
    cases.push_back(
        {"truncated.png", std::vector<char>(bytes.begin(), bytes.begin() + bytes.size() / 2)});
    cases.push_back({"header-only.png", std::vector<char>(bytes.begin(), bytes.begin() + 33)});
    std::vector<char> garbled = bytes;
    for (size_t i = 40; i < garbled.size(); i += 7)
        garbled[i] = static_cast<char>(garbled[i] ^ 0x5A);
    cases.push_back({"garbled.png", garbled});
    // A PNG header that claims 100000 × 100000 pixels.
    std::vector<char> huge = bytes;
    const unsigned char side[4] = {0x00, 0x01, 0x86, 0xA0};
    for (int k = 0; k < 4; ++k) huge[16 + k] = huge[20 + k] = static_cast<char>(side[k]);
    cases.push_back({"huge.png", huge});
    cases.push_back({"empty.png", {}});
    // BMP: a header for 64 × 64 × 32 bits with the pixel data cut off, and a header whose
    // pixel offset points far past the end of the file.
    std::vector<char> bmp(54, 0);
    auto put32 = [&bmp](size_t at, uint32_t v) {
        for (int k = 0; k < 4; ++k) bmp[at + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54 + 64 * 64 * 4);
    put32(10, 54);
    put32(14, 40);
    put32(18, 64);
    put32(22, 64);
    bmp[26] = 1;
    bmp[28] = 32;
    std::vector<char> shortBmp = bmp;
    shortBmp.resize(54 + 100, 'x');
    cases.push_back({"short.bmp", shortBmp});
    std::vector<char> farBmp = bmp;
    put32(10, 0x7FFFFFF0);
    farBmp = bmp;
    farBmp.resize(54 + 64 * 64 * 4, 'y');
    cases.push_back({"far-offset.bmp", farBmp});
    std::vector<char> negative = bmp;
    put32(10, 54);
    negative = bmp;
    for (int k = 0; k < 4; ++k) negative[18 + k] = static_cast<char>(0xFF);  // width -1
    cases.push_back({"negative-width.bmp", negative});

    for (const auto& [name, data] : cases) {
        WriteBytes(dir + "/" + name, data);
        FwTexture texture;
        EXPECT_FALSE(texture.Load(dir + "/" + name)) << name;
        EXPECT_FALSE(texture.HasSRV()) << name;
        EXPECT_TRUE(texture.GetFilePath().empty()) << name;
        EXPECT_FALSE(GetTexture(dir + "/" + name)->HasSRV()) << name;
    }
}

TEST_F(GraphicsTest, ImagesLoadFromAFolderNamedInJapanese) {
    // A player's game folder may be named in any script, with spaces.
    const std::string folder = GraphicsTestDir() + "/ほしかげ 画像";
    std::filesystem::create_directories(PathFromUtf8(folder));
    const std::vector<uint8_t> px = Checker(8, 4, 255);
    ASSERT_TRUE(stbi_write_png((folder + "/星.png").c_str(), 8, 4, 4, px.data(), 8 * 4));
    EXPECT_TRUE(std::filesystem::exists(PathFromUtf8(folder + "/星.png")));
    FwTexture texture;
    ASSERT_TRUE(texture.Load(folder + "/星.png"));
    EXPECT_EQ(texture.GetDesc().width, 8);
    EXPECT_EQ(texture.GetDesc().height, 4);
}

TEST_F(GraphicsTest, BmpWithAlphaKeepsItsAlpha) {
    // 2 × 1, 32 bits per pixel BGRA, plain 40-byte header (the alpha byte is kept).
    std::vector<char> bmp(54 + 8, 0);
    auto put32 = [&bmp](size_t at, uint32_t v) {
        for (int k = 0; k < 4; ++k) bmp[at + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 62);
    put32(10, 54);
    put32(14, 40);
    put32(18, 2);
    put32(22, 1);
    bmp[26] = 1;
    bmp[28] = 32;
    put32(54, 0x80FF0000);  // red, alpha 128
    put32(58, 0x000000FF);  // blue, alpha 0
    const std::string path = GraphicsTestDir() + "/alpha.bmp";
    WriteBytes(path, bmp);
    FwTexture texture;
    ASSERT_TRUE(texture.Load(path));
    EXPECT_EQ(texture.GetDesc().width, 2);

    GraphicsDevice& device = GraphicsDevice::GetInstance();
    const auto copy = device.CreateBlendState(0);
    device.SetBlendState(copy.get());
    device.ClearBackBuffer(Color(0, 1, 0, 1));
    const Color white(1, 1, 1, 1);
    SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();
    sprites.SetTransform(Matrix::Identity());
    sprites.DrawSprite(&texture, 0, 0, 200, 100, nullptr, &white, Vector2(0.5f, 0.5f));
    ExpectPixelNear(Pixel(560, 360), {255, 0, 0, 128}, 1, "half-transparent red texel");
    ExpectPixelNear(Pixel(720, 360), {0, 255, 0, 255}, 0, "transparent texel not written");
}

TEST_F(GraphicsTest, CreatedTexturesGetTheViewsTheirBindFlagsAskFor) {
    FwTexture depth;
    ASSERT_TRUE(depth.CreateDepthStencil(64, 32, PixelFormat::R32_Typeless, 1, nullptr));
    EXPECT_TRUE(depth.HasDSV());
    EXPECT_TRUE(depth.HasSRV());
    EXPECT_FALSE(depth.HasRTV());
    EXPECT_EQ(depth.GetDepthViewFormat(), PixelFormat::D32_Float);
    EXPECT_EQ(depth.GetShaderViewFormat(), PixelFormat::R32_Float);
    EXPECT_EQ(depth.GetDesc().format, PixelFormat::R32_Typeless);

    ASSERT_TRUE(depth.CreateDepthStencil(64, 32, PixelFormat::R24G8_Typeless, 1, nullptr));
    EXPECT_EQ(depth.GetDepthViewFormat(), PixelFormat::D24_Unorm_S8_Uint);
    EXPECT_EQ(depth.GetShaderViewFormat(), PixelFormat::R24_Unorm_X8_Typeless);
    ASSERT_TRUE(depth.CreateDepthStencil(64, 32, PixelFormat::R16_Typeless, 1, nullptr));
    EXPECT_EQ(depth.GetDepthViewFormat(), PixelFormat::D16_Unorm);
    EXPECT_EQ(depth.GetShaderViewFormat(), PixelFormat::R16_Unorm);
    // A typed depth format cannot also be read by shaders; the failure leaves it empty.
    EXPECT_FALSE(depth.CreateDepthStencil(64, 32, PixelFormat::D32_Float, 1, nullptr));
    EXPECT_FALSE(depth.HasDSV());
    EXPECT_EQ(depth.GetDesc().width, 0);

    FwTexture target;
    ASSERT_TRUE(target.CreateRenderTarget(128, 64, PixelFormat::R8G8B8A8_Unorm, 1, nullptr));
    EXPECT_TRUE(target.HasRTV());
    EXPECT_TRUE(target.HasSRV());
    EXPECT_FALSE(target.HasDSV());
    EXPECT_TRUE(target.IsBottomUp());
    EXPECT_FALSE(target.CreateRenderTarget(0, 64, PixelFormat::R8G8B8A8_Unorm, 1, nullptr));
    EXPECT_FALSE(target.CreateRenderTarget(64, 64, PixelFormat::Unknown, 1, nullptr));

    FwTexture array;
    ASSERT_TRUE(array.Create(16, 16, PixelFormat::R8G8B8A8_Unorm, 4, nullptr));
    EXPECT_TRUE(array.HasSRV());
    EXPECT_EQ(array.GetDesc().arraySize, 4);

    FwTexture mips;
    TextureDesc desc;
    desc.width = 64;
    desc.height = 16;
    desc.mipLevels = 0;
    desc.format = PixelFormat::R8G8B8A8_Unorm;
    desc.bindFlags = BindFlag::ShaderResource;
    const std::vector<uint8_t> px = Checker(64, 16, 255);
    SubresourceData data{px.data(), 64 * 4, 0};
    ASSERT_TRUE(mips.Create(desc, &data));
    EXPECT_EQ(mips.GetDesc().mipLevels, 7);

    FwTexture loaded;
    ASSERT_TRUE(loaded.Load(WritePng("mipped.png", 32, 8), false, false, true));
    EXPECT_EQ(loaded.GetDesc().mipLevels, 6);
    loaded.Release();
    EXPECT_FALSE(loaded.HasSRV());
    EXPECT_TRUE(loaded.GetFilePath().empty());
}
