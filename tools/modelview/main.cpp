// modelview: the model checker for generated assets. See CMakeLists.txt for the usage.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/platform/Keys.h"
#include "engine/platform/Platform.h"
#include "engine/platform/ScriptedPlatform.h"
#include "engine/platform/SdlPlatform.h"
#include "engine/platform/SystemConventions.h"
#include "tools/modelview/ModelInfo.h"
#include "tools/modelview/ModelViewer.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: modelview FILE.gltf\n"
                 "       modelview --info FILE...\n"
                 "       modelview --shot OUT.png FILE\n");
    return 2;
}

int Info(int count, char** paths) {
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        const ModelInfo info = ModelInfo::Read(paths[i]);
        std::printf("%s\n", info.Describe(paths[i]).c_str());
        if (!info.loaded) ++failures;
    }
    return failures == 0 ? 0 : 1;
}

int Shot(const std::string& out, const std::string& path) {
    UseHeadlessDrivers();
    SetPlatform(std::make_unique<ScriptedPlatform>());
    ModelViewer viewer;
    std::string error;
    if (!viewer.Open(1280, 720, "modelview", error)) {
        std::fprintf(stderr, "modelview: %s\n", error.c_str());
        return 1;
    }
    if (!viewer.Load(path)) {
        std::fprintf(stderr, "modelview: %s has nothing to draw\n", path.c_str());
        return 1;
    }
    viewer.DrawFrame();
    const bool saved = FwSaveScreenshot(out);
    viewer.Close();
    SetPlatform(nullptr);
    if (!saved) std::fprintf(stderr, "modelview: cannot write %s\n", out.c_str());
    return saved ? 0 : 1;
}

int Interactive(const std::string& path) {
    SetPlatform(std::make_unique<SdlPlatform>());
    Platform& platform = GetPlatform();
    ModelViewer viewer;
    std::string error;
    if (!viewer.Open(1280, 720, "modelview - " + path, error)) {
        std::fprintf(stderr, "modelview: %s\n", error.c_str());
        return 1;
    }
    if (!viewer.Load(path))
        std::fprintf(stderr, "modelview: %s has nothing to draw\n", path.c_str());

    PlatformPoint last = platform.GetCursorPos();
    while (platform.PumpMessages() && platform.IsWindowOpen()) {
        const PlatformPoint cursor = platform.GetCursorPos();
        if (platform.IsKeyDown(vk::LButton)) {
            viewer.Turn(float(last.x - cursor.x) * 0.4f, float(cursor.y - last.y) * 0.4f);
        }
        last = cursor;
        if (platform.IsKeyDown(vk::Left) || platform.IsKeyDown('A')) viewer.Turn(2, 0);
        if (platform.IsKeyDown(vk::Right) || platform.IsKeyDown('D')) viewer.Turn(-2, 0);
        if (platform.IsKeyDown(vk::Up) || platform.IsKeyDown('W')) viewer.Zoom(0.97f);
        if (platform.IsKeyDown(vk::Down) || platform.IsKeyDown('S')) viewer.Zoom(1.03f);
        viewer.DrawFrame();
        GraphicsDevice::GetInstance().Present();
        platform.Sleep(16);
    }
    viewer.Close();
    SetPlatform(nullptr);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--info") == 0) return Info(argc - 2, argv + 2);
    if (argc == 4 && std::strcmp(argv[1], "--shot") == 0) return Shot(argv[2], argv[3]);
    if (argc == 2 && argv[1][0] != '-') return Interactive(argv[1]);
    return Usage();
}
