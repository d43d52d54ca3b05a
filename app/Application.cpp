#include "app/Application.h"

#include <cstdint>
#include <string>
#include <vector>

#include "app/DisplayMode.h"
#include "app/FocusPause.h"
#include "app/SceneManager.h"
#include "engine/audio/AudioManager.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "engine/platform/Platform.h"
#include "engine/platform/SystemConventions.h"

namespace {

// The body of the no-sound message: what failed, and the way to play on without sound.
std::string NoSoundMessage(const std::string& failure) {
    return "サウンドの出力デバイスを開けませんでした。\n" + failure + "\n\n" +
           StartWithoutSoundHint();
}

}  // namespace

Application& Application::GetInstance() {
    static Application instance;
    return instance;
}

bool Application::Initialize(int width, int height) {
    Platform& platform = GetPlatform();
    if (!window.Create(width, height, kCaption, "Window")) {
        platform.ShowMessageBox("エラー", "ウィンドウ作成に失敗", false, false);
        return false;
    }

    std::string errorText;
    if (!GraphicsDevice::GetInstance().Initialize(window.GetHandle(), width, height, false,
                                                  errorText)) {
        platform.ShowMessageBox("Direct3D初期化失敗", errorText, true, true);
        GraphicsDevice::GetInstance().Release();
        window.Destroy();
        return false;
    }

    // A shader that does not build would leave the screen empty: a graphics failure too.
    if (!ShaderManager::GetInstance().Initialize()) {
        platform.ShowMessageBox("Direct3D初期化失敗", "シェーダー作成失敗", true, true);
        ShaderManager::GetInstance().Release();
        GraphicsDevice::GetInstance().Release();
        window.Destroy();
        return false;
    }
    picture.Start(settings.Get());

    if (!AudioManager::GetInstance().Initialize()) {
        platform.ShowMessageBox("サウンド初期化失敗",
                                NoSoundMessage(AudioManager::GetInstance().GetFailure()), true,
                                true);
        ShaderManager::GetInstance().Release();
        GraphicsDevice::GetInstance().Release();
        window.Destroy();
        return false;
    }
    volume.Start();
    return true;
}

bool Application::Run(const SceneFactory& firstScene) {
    DisplayMode display(settings);
    display.Prepare();
    if (!Initialize(1280, 720)) return false;

    Platform& platform = GetPlatform();
    SceneManager& scenes = SceneManager::GetInstance();
    scenes.SetScene(firstScene ? firstScene() : nullptr);

    FocusPause focus;
    uint32_t frameStart = platform.GetTime();
    uint64_t workStart = platform.GetWorkClockMicros();
    for (;;) {
        window.PumpMessages();
        if (!window.GetHandle()) break;
        const std::vector<PlatformCommand> commands = platform.TakeCommands();
        display.Handle(commands);
        volume.Handle(commands);
        if (focus.Update(platform.IsActive())) {
            AudioManager::GetInstance().Update();
            scenes.Step();
            // Over the frame just drawn: a paused loop keeps its last picture, and a sign
            // drawn again over it would darken it pass by pass.
            volume.DrawIndicator();
        }
        GraphicsDevice::GetInstance().Present();
        picture.EndPass(platform.GetWorkClockMicros() - workStart);

        // Sleep out the rest of the pass's budget; a slow pass is not made up for.
        const uint32_t now = platform.GetTime();
        const uint32_t budget = static_cast<uint32_t>(1000 / maxFps);
        if (now - frameStart < budget) platform.Sleep(budget + frameStart - now);
        frameStart = platform.GetTime();
        workStart = platform.GetWorkClockMicros();
    }
    focus.End();
    Shutdown();
    return true;
}

void Application::Shutdown() {
    // Scenes go first, while the devices they hold resources of still exist; then the
    // caches, whose GPU objects belong to the context that is about to go.
    SceneManager::GetInstance().Clear();
    ReleaseModelCache();
    ReleaseTextureCache();
    ShaderManager::GetInstance().Release();
    GraphicsDevice::GetInstance().Release();
    AudioManager::GetInstance().Release();
    window.Destroy();
}
