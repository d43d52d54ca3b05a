#include "engine/graphics/AdditiveBlend.h"

#include "engine/graphics/GraphicsDevice.h"

AdditiveBlend::AdditiveBlend() {
    const GraphicsDevice& device = GraphicsDevice::GetInstance();
    additive = device.CreateBlendState(2);
    alpha = device.CreateBlendState(1);
    depthNoWrite = device.CreateDepthStencilState(true, false);
    depthWrite = device.CreateDepthStencilState(true, true);
}

AdditiveBlend::~AdditiveBlend() = default;

void AdditiveBlend::Begin() {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.SetDepthStencilState(depthNoWrite.get(), 0);
    device.SetBlendState(additive.get());
}

void AdditiveBlend::End() {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.SetBlendState(alpha.get());
    device.SetDepthStencilState(depthWrite.get(), 0);
}
