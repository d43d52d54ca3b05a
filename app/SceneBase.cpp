#include "app/SceneBase.h"

#include "engine/graphics/GraphicsDevice.h"

void SceneBase::Frame() {
    Update();
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.ClearBackBuffer(Color(0.0f, 0.0f, 0.0f, 1.0f));
    device.ClearDepthStencil();
    SetCamera();
    Draw();
}
