#pragma once

#include <cstdint>

// A texture sampler object made by GraphicsDevice::CreateSamplerState and bound with
// GraphicsDevice::SetSamplerState. Owns its GPU object; the caller owns this object
// (std::unique_ptr) and must keep it alive while it is bound.
class FwSamplerState {
public:
    // filter: 0 point, 1 linear, 2 anisotropic with maxAnisotropy; addressMode: 0 wrap,
    // 1 clamp; comparison: linear depth comparison with LESS (overrides the filter).
    FwSamplerState(int filter, int maxAnisotropy, int addressMode, bool comparison);
    ~FwSamplerState();
    FwSamplerState(const FwSamplerState&) = delete;
    FwSamplerState& operator=(const FwSamplerState&) = delete;

    bool IsValid() const { return handle != 0; }
    int GetFilter() const { return filter; }
    int GetMaxAnisotropy() const { return maxAnisotropy; }
    int GetAddressMode() const { return addressMode; }
    bool IsComparison() const { return comparison; }
    // Opaque GPU object name for the device; 0 when creation failed.
    unsigned GetHandle() const { return handle; }

private:
    int filter;
    int maxAnisotropy;
    int addressMode;
    bool comparison;
    unsigned handle = 0;
    uint32_t generation = 0;
};
