#pragma once

#include <cstdint>
#include <vector>

#include "engine/graphics/GraphicsTypes.h"

// One GPU buffer: vertex, index or constant (uniform block) data.
//
// Usage kinds (BufferUsage): Default — written whole now and then (static meshes);
// Dynamic — rewritten every use, the previous contents are discarded (orphaned) on each
// write; Staging — a CPU-side copy that can be written and read back, never bound.
// Not copyable; move it or hold it through std::unique_ptr. Needs a live graphics device:
// Create fails without one.
class FwBuffer {
public:
    FwBuffer() = default;
    ~FwBuffer();
    FwBuffer(const FwBuffer&) = delete;
    FwBuffer& operator=(const FwBuffer&) = delete;
    FwBuffer(FwBuffer&& other) noexcept;
    FwBuffer& operator=(FwBuffer&& other) noexcept;

    // Releases any previous buffer first. bindFlags: BindFlag bits (one of VertexBuffer,
    // IndexBuffer, ConstantBuffer); byteSize > 0. A constant buffer whose size is not a
    // multiple of 16 bytes is refused. initial, when given, holds byteSize bytes. On
    // failure the buffer is left empty and false is returned.
    bool Create(unsigned bindFlags, unsigned byteSize, int usage, const void* initial);
    // Replaces the first byteSize bytes (at most the capacity; larger writes are cut to
    // the capacity). Dynamic buffers lose their previous contents.
    void WriteData(const void* data, unsigned byteSize);
    // Copies up to byteSize bytes of the contents into out; staging buffers only (false
    // otherwise or when empty).
    bool ReadData(void* out, unsigned byteSize) const;
    void Release();

    bool IsValid() const { return handle != 0 || !staging.empty(); }
    unsigned GetCapacity() const { return capacity; }
    int GetUsage() const { return usage; }
    unsigned GetBindFlags() const { return bindFlags; }
    // Opaque GPU object name, 0 when empty (staging buffers have none).
    unsigned GetHandle() const { return handle; }

private:
    unsigned handle = 0;
    unsigned capacity = 0;
    int usage = 0;
    unsigned bindFlags = 0;
    uint32_t generation = 0;
    std::vector<unsigned char> staging;  // the contents of a staging buffer
};
