#include "app/SceneBase.h"

#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ScenePass.h"

void SceneBase::Advance() {
    Update();
    SetCamera();
}

void SceneBase::Render() {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.ClearBackBuffer(Color(0.0f, 0.0f, 0.0f, 1.0f));
    device.ClearDepthStencil();
    ScenePass& pass = ScenePass::GetInstance();
    if (DrawsWorld()) pass.Begin(Color(0.0f, 0.0f, 0.0f, 1.0f));
    Draw();
    pass.End();
}
