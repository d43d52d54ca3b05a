#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "app/Application.h"
#include "engine/platform/ScriptedPlatform.h"

// Runs the real Application loop headless: the scripted platform (virtual clock,
// scripted input, offscreen OpenGL on llvmpipe) and OpenAL Soft's null backend.
// One harness at a time; it installs its platform on construction and removes it
// (with every scene) on destruction.
class GameHarness {
public:
    GameHarness();
    ~GameHarness();
    GameHarness(const GameHarness&) = delete;
    GameHarness& operator=(const GameHarness&) = delete;

    ScriptedPlatform& Platform() { return *platform; }

    // Runs Application::Run with the given first scene for exactly `passes` passes.
    // Input, per-pass checks and screenshots go through Platform()'s script and hooks.
    // False when start-up failed.
    bool Run(const Application::SceneFactory& firstScene, uint64_t passes);

    // Chooses the passes whose picture is rasterised; the others go through every draw
    // but send none to the driver (see GraphicsDevice::SetSkipRasterization), which keeps
    // runs of thousands of passes fast on a software renderer. Without a choice every pass is
    // drawn. Screenshots and pixel checks belong in passes the choice keeps.
    void DrawOnly(std::function<bool(uint64_t pass)> wanted) { drawn = std::move(wanted); }
    void DrawNothing() {
        drawn = [](uint64_t) { return false; };
    }

    // Input holding the given virtual keys for one pass.
    static PassInput Hold(std::initializer_list<int> keys, int mouseDx = 0, int mouseDy = 0);

private:
    ScriptedPlatform* platform = nullptr;  // owned by the platform slot
    std::function<bool(uint64_t)> drawn;
};

// Environment for headless runs; safe to call more than once.
void PrepareHeadlessEnvironment();
