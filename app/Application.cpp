#include "app/Application.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/SceneManager.h"
#include "engine/audio/AudioManager.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextDrawer.h"
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
    hostPaced = false;
    if (!Start(firstScene)) return false;
    while (Tick()) {
    }
    return true;
}

bool Application::Start(const SceneFactory& firstScene) {
    display = std::make_unique<DisplayMode>(settings);
    display->Prepare();
    if (!Initialize(1280, 720)) return false;

    Platform& platform = GetPlatform();
    titleScene = firstScene;
    SceneManager::GetInstance().SetScene(firstScene ? firstScene() : nullptr);
    counts = {};
    focus = FocusPause();
    menus.Start(*display, [this] {
        if (titleScene) SceneManager::GetInstance().SetScene(titleScene());
    });
    // The first pass is due once the first scene is built.
    const uint32_t now = platform.GetTime();
    pacer.Start(now);
    if (!hostPaced) passesDue = passesPerPicture > 0 ? passesPerPicture : pacer.TakeDue(now);
    return true;
}

bool Application::Tick() {
    Platform& platform = GetPlatform();
    ++counts.turns;
    int due = passesDue;
    if (hostPaced) {
        const uint32_t now = platform.GetTime();
        RestartIfPending(now);
        due = pacer.TakeDue(now);
        if (passesPerPicture > 0) due = passesPerPicture;
    }

    bool drew = false;
    uint64_t lastPassStart = 0;
    if (due > 0) {
        if (!RunPasses(due, drew, lastPassStart)) {
            focus.End();
            Shutdown();
            return false;
        }
        if (drew) {
            SceneManager::GetInstance().Render();
            // Over the finished picture: a paused loop keeps its last picture, and a sign
            // drawn again over it would darken it turn by turn.
            menus.Draw();
            volume.DrawIndicator();
            ++counts.pictures;
        }
        // The render scale answers to what a picture costs: its pass and its drawing, with
        // the presenting (where a software rasteriser fills the picture) unless presenting
        // waits for the display, which would count the wait as work.
        uint64_t drawn = platform.GetWorkClockMicros();
        GraphicsDevice::GetInstance().Present();
        if (!picture.IsVsync()) drawn = platform.GetWorkClockMicros();
        if (drew) picture.EndPicture(drawn - lastPassStart);
    }

    if (!hostPaced) {
        // Sleep until the next pass is due; then the passes due decide the next turn.
        const uint32_t now = platform.GetTime();
        RestartIfPending(now);
        const uint32_t wait = pacer.WaitFrom(now);
        if (wait > 0) platform.Sleep(wait);
        passesDue = std::max(1, pacer.TakeDue(platform.GetTime()));
        if (passesPerPicture > 0) passesDue = passesPerPicture;
    }
    return true;
}

void Application::RestartIfPending(uint32_t now) {
    if (!restartPending) return;
    pacer.Restart(now);
    restartPending = false;
}

bool Application::RunPasses(int due, bool& drew, uint64_t& lastPassStart) {
    Platform& platform = GetPlatform();
    SceneManager& scenes = SceneManager::GetInstance();
    for (int i = 0; i < due; ++i) {
        const uint64_t passStart = platform.GetWorkClockMicros();
        window.PumpMessages();
        if (!window.GetHandle()) return false;
        const std::vector<PlatformCommand> commands = platform.TakeCommands();
        display->Handle(commands);
        volume.Handle(commands);
        // In the background the game holds still: the rest of the turn's passes are not
        // owed either (the pacer keeps its schedule, one pump a pass, while paused).
        if (!platform.IsActive()) {
            focus.Update(false, menus.HoldsSound());
            break;
        }
        // Under a menu the scene holds still too, but the menu is drawn every turn (it
        // answers the pointer), over the picture of the pass the scene stopped at.
        const bool held = menus.Update(commands);
        if (menus.IsQuitRequested()) return false;
        focus.Update(true, menus.HoldsSound());
        if (held) {
            drew = true;
            lastPassStart = passStart;
            continue;
        }
        AudioManager::GetInstance().Update();
        scenes.Step();
        volume.EndPass();
        ++counts.passes;
        drew = true;
        lastPassStart = passStart;
        // A scene was built in this pass: its picture ends the turn, and the time its
        // assets took to load is not made up for. (The clock is read where the turn ends:
        // a pass reads it only where a recording expects it.)
        if (scenes.IsChangePending()) {
            restartPending = true;
            break;
        }
    }
    return true;
}

void Application::Shutdown() {
    // Scenes go first, while the devices they hold resources of still exist; then the
    // caches, whose GPU objects belong to the context that is about to go.
    SceneManager::GetInstance().Clear();
    ReleaseModelCache();
    ReleaseTextureCache();
    TextDrawer::GetInstance().Release();
    ShaderManager::GetInstance().Release();
    GraphicsDevice::GetInstance().Release();
    AudioManager::GetInstance().Release();
    window.Destroy();
}
