#pragma once

#include "engine/graphics/FwBuffer.h"
#include "engine/graphics/GraphicsTypes.h"

// A uniform block: the dynamic GPU buffer, its CPU copy and the dirty flag. Setters write
// `data` and call MarkDirty; Upload sends the whole copy only when it is dirty.
template <typename T>
struct ConstantBlock {
    FwBuffer buffer;
    T data{};
    bool dirty = true;

    bool Create() {
        dirty = false;
        return buffer.Create(BindFlag::ConstantBuffer, sizeof(T), BufferUsage::Dynamic, &data);
    }
    void MarkDirty() { dirty = true; }
    void Upload() {
        if (!dirty) return;
        buffer.WriteData(&data, sizeof(T));
        dirty = false;
    }
    void Release() {
        buffer.Release();
        dirty = true;
    }
};
