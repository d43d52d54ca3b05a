#include "engine/graphics/FwBuffer.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "engine/graphics/GraphicsDevice.h"

namespace {

// Uploads go through GL_COPY_WRITE_BUFFER so that creating or writing a buffer never
// disturbs the vertex array, index or uniform bindings the device keeps.
constexpr GLenum kUploadTarget = GL_COPY_WRITE_BUFFER;

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
    glBindBuffer(kUploadTarget, name);
    glBufferData(kUploadTarget, byteSize, initial,
                 usageKind == BufferUsage::Dynamic ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
    glBindBuffer(kUploadTarget, 0);
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
    glBindBuffer(kUploadTarget, handle);
    if (usage == BufferUsage::Dynamic) {
        // Orphan the old storage so the GPU may keep reading it while we fill the new one.
        glBufferData(kUploadTarget, capacity, nullptr, GL_DYNAMIC_DRAW);
        glBufferSubData(kUploadTarget, 0, byteSize, data);
    } else {
        glBufferSubData(kUploadTarget, 0, byteSize, data);
    }
    glBindBuffer(kUploadTarget, 0);
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
