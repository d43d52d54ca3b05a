#include "engine/graphics/FwBuffer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "engine/graphics/GlApi.h"
#include "engine/graphics/GraphicsDevice.h"

namespace {

// Uploads go through GL_COPY_WRITE_BUFFER so that creating or writing a buffer never
// disturbs the vertex array or uniform bindings the device keeps. Index buffers are the
// exception: WebGL fixes a buffer's kind at its first binding, and one first bound anywhere
// else can never serve indices. They go through GL_ELEMENT_ARRAY_BUFFER, which changes the
// bound vertex array's index buffer; the device points it again before every draw.
GLenum UploadTarget(unsigned bindFlags) {
    return (bindFlags & BindFlag::IndexBuffer) ? GL_ELEMENT_ARRAY_BUFFER : GL_COPY_WRITE_BUFFER;
}

}  // namespace

FwBuffer::~FwBuffer() {
    Release();
}

FwBuffer::FwBuffer(FwBuffer&& other) noexcept {
    *this = std::move(other);
}

FwBuffer& FwBuffer::operator=(FwBuffer&& other) noexcept {
    if (this != &other) {
        Release();
        handle = std::exchange(other.handle, 0u);
        capacity = std::exchange(other.capacity, 0u);
        usage = std::exchange(other.usage, 0);
        bindFlags = std::exchange(other.bindFlags, 0u);
        generation = std::exchange(other.generation, 0u);
        staging = std::move(other.staging);
        other.staging.clear();
    }
    return *this;
}

bool FwBuffer::Create(unsigned flags, unsigned byteSize, int usageKind, const void* initial) {
    Release();
    if (byteSize == 0) return false;
    if ((flags & BindFlag::ConstantBuffer) && byteSize % 16 != 0) return false;
    if (usageKind != BufferUsage::Default && usageKind != BufferUsage::Dynamic &&
        usageKind != BufferUsage::Staging)
        return false;

    if (usageKind == BufferUsage::Staging) {
        // A CPU-readable copy: no GPU object, no bind flags (as a staging resource has none).
        staging.assign(byteSize, 0);
        if (initial) std::memcpy(staging.data(), initial, byteSize);
        capacity = byteSize;
        usage = usageKind;
        bindFlags = 0;
        return true;
    }

    if (!GraphicsDevice::LiveGeneration()) return false;
    while (glGetError() != GL_NO_ERROR) {
    }
    GLuint name = 0;
    glGenBuffers(1, &name);
    if (!name) return false;
    const GLenum target = UploadTarget(flags);
    glBindBuffer(target, name);
    glBufferData(target, byteSize, initial,
                 usageKind == BufferUsage::Dynamic ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
    glBindBuffer(target, 0);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteBuffers(1, &name);
        return false;
    }
    handle = name;
    capacity = byteSize;
    usage = usageKind;
    bindFlags = flags;
    generation = GraphicsDevice::LiveGeneration();
    return true;
}

void FwBuffer::WriteData(const void* data, unsigned byteSize) {
    if (!data || capacity == 0) return;
    byteSize = std::min(byteSize, capacity);
    if (usage == BufferUsage::Staging) {
        std::memcpy(staging.data(), data, byteSize);
        return;
    }
    if (!handle || generation != GraphicsDevice::LiveGeneration()) return;
    const GLenum target = UploadTarget(bindFlags);
    glBindBuffer(target, handle);
    if (usage == BufferUsage::Dynamic) {
        // Orphan the old storage so the GPU may keep reading it while we fill the new one.
        glBufferData(target, capacity, nullptr, GL_DYNAMIC_DRAW);
        glBufferSubData(target, 0, byteSize, data);
    } else {
        glBufferSubData(target, 0, byteSize, data);
    }
    glBindBuffer(target, 0);
}

bool FwBuffer::ReadData(void* out, unsigned byteSize) const {
    if (!out || usage != BufferUsage::Staging || staging.empty()) return false;
    std::memcpy(out, staging.data(), std::min(byteSize, capacity));
    return true;
}

void FwBuffer::Release() {
    if (handle && generation == GraphicsDevice::LiveGeneration()) {
        GLuint name = handle;
        glDeleteBuffers(1, &name);
    }
    handle = 0;
    capacity = 0;
    usage = 0;
    bindFlags = 0;
    generation = 0;
    staging.clear();
}
