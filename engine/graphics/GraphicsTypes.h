#pragma once

#include <cstdint>

// Plain descriptions shared by the device, buffers and textures. Numeric values follow the
// Direct3D 11 / DXGI enumerations so that formats read the same everywhere in the game
// (format 28 is RGBA8, 44 the depth-stencil pair); no graphics-API type appears here.

// Pixel formats the engine knows how to create. Values are the DXGI numbers.
enum class PixelFormat : int {
    Unknown = 0,
    R32G32B32A32_Float = 2,
    R32G32B32_Float = 6,
    R16G16B16A16_Float = 10,
    R8G8B8A8_Unorm = 28,
    R32_Typeless = 39,
    D32_Float = 40,
    R32_Float = 41,
    R24G8_Typeless = 44,
    D24_Unorm_S8_Uint = 45,
    R24_Unorm_X8_Typeless = 46,
    R16_Typeless = 53,
    D16_Unorm = 55,
    R16_Unorm = 56,
    R8_Unorm = 61,
    B8G8R8A8_Unorm = 87,
};

// Bind flags of buffers and textures (bit values as in Direct3D 11).
namespace BindFlag {
constexpr unsigned VertexBuffer = 0x1;
constexpr unsigned IndexBuffer = 0x2;
constexpr unsigned ConstantBuffer = 0x4;
constexpr unsigned ShaderResource = 0x8;
constexpr unsigned RenderTarget = 0x20;
constexpr unsigned DepthStencil = 0x40;
}  // namespace BindFlag

// Buffer and texture usage kinds: 0 default (GPU only), 2 dynamic (CPU writes whole
// contents), 3 staging (CPU-readable copy).
namespace BufferUsage {
constexpr int Default = 0;
constexpr int Dynamic = 2;
constexpr int Staging = 3;
}  // namespace BufferUsage

// TextureDesc::miscFlags bit: the array of six slices is a cube.
constexpr unsigned kTextureMiscCube = 0x4;

struct TextureDesc {
    int width = 0;
    int height = 0;
    int mipLevels = 1;  // 0 = full chain
    int arraySize = 1;
    PixelFormat format = PixelFormat::Unknown;
    int sampleCount = 1;
    int usage = BufferUsage::Default;
    unsigned bindFlags = 0;
    unsigned cpuAccessFlags = 0;
    unsigned miscFlags = 0;
};

// Initial contents: tightly described rows, first row at the top of the image.
struct SubresourceData {
    const void* data = nullptr;
    unsigned rowPitch = 0;    // bytes from one row to the next
    unsigned slicePitch = 0;  // bytes from one array slice to the next
};

enum class PrimitiveTopology { PointList, LineList, LineStrip, TriangleList, TriangleStrip };

enum class IndexFormat { UInt16, UInt32 };

// The vertex formats the shaders read (input layouts):
//  Mesh   36 bytes: position float3 @0, uv float2 @12, normal float3 @20, colour RGBA8 unorm @32
//  Effect 36 bytes: position float3 @0, uv float2 @12, colour float4 @20
//  Sprite 20 bytes: position float3 @0, uv float2 @12
enum class VertexLayout { None, Mesh, Effect, Sprite };

enum class CullMode { None, Front, Back };
enum class FillMode { Solid, Wireframe };

// Pixels and depth range of the target area drawn into (the game always uses the whole
// target: origin 0, 0 and its full size; the sprite projection reads only the size).
struct Viewport {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    float minDepth = 0.0f;
    float maxDepth = 1.0f;
    bool operator==(const Viewport&) const = default;
};
