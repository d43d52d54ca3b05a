// replay: records a played session's input and plays it back headless, pass for pass.
//
//   replay record FILE            play the game in a window; the input is saved to FILE
//   replay play FILE [--shots DIR] [--every N] [--passes-per-picture N]
//                                 replay FILE headless; optionally save a screenshot of
//                                 every N-th pass (default 60) into DIR; optionally draw a
//                                 picture only every N passes, as a slow machine would
//                                 (the game played must be the same)
//
// A replay reproduces the recorded run exactly as long as the game's code is the same;
// the tool says so when the game asked for input the recording does not have.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/Application.h"
#include "app/SceneManager.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/platform/RecordingPlatform.h"
#include "engine/platform/ReplayPlatform.h"
#include "engine/platform/SdlPlatform.h"
#include "engine/platform/SystemConventions.h"
#include "game/scenes/Title.h"

namespace {

int Usage() {
    std::fputs(
        "usage: replay record FILE\n"
        "       replay play FILE [--shots DIR] [--every N] [--passes-per-picture N]\n",
        stderr);
    return 2;
}

int Record(const std::string& path) {
    auto recorder = std::make_unique<RecordingPlatform>(std::make_unique<SdlPlatform>());
    RecordingPlatform* recording = recorder.get();
    SetPlatform(std::move(recorder));
    // Played as the game is, with the automatic picture settings (no settings file is read
    // or written): what is drawn never changes the passes that are recorded.
    Application::GetInstance().UseSettings(SettingsStore());
    if (!Application::GetInstance().Run([] { return new Title; })) {
        SetPlatform(nullptr);
        return 1;
    }
    const bool saved = recording->GetLog().Save(path);
    const size_t passes = recording->GetLog().passes.size();
    SetPlatform(nullptr);
    if (!saved) {
        std::fprintf(stderr, "replay: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("recorded %zu passes to %s\n", passes > 1 ? passes - 2 : 0, path.c_str());
    return 0;
}

int Play(const std::string& path, const std::string& shotDir, int every, int passesPerPicture) {
    InputLog log;
    if (!log.Load(path)) {
        std::fprintf(stderr, "replay: %s is not a readable input recording\n", path.c_str());
        return 1;
    }
    UseHeadlessDrivers();
    auto replay = std::make_unique<ReplayPlatform>(std::move(log));
    ReplayPlatform* player = replay.get();
    if (!shotDir.empty()) {
        std::filesystem::create_directories(shotDir);
        player->SetPresentHook([&](uint64_t pass) {
            if (every > 0 && pass % static_cast<uint64_t>(every) == 0) {
                const std::string file = shotDir + "/pass" + std::to_string(pass) + ".png";
                FwSaveScreenshot(file);
            }
        });
    }
    SetPlatform(std::move(replay));
    Application::GetInstance().SetPassesPerPicture(passesPerPicture);
    if (!Application::GetInstance().Run([] { return new Title; })) {
        SetPlatform(nullptr);
        return 1;
    }
    std::printf("replayed %llu passes%s\n",
                static_cast<unsigned long long>(player->GetRecordedPasses()),
                player->IsDiverged() ? " (diverged: the game read input the recording lacks)" : "");
    const bool diverged = player->IsDiverged();
    SetPlatform(nullptr);
    return diverged ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    if (argc < 3) return Usage();
    const std::string command = argv[1];
    const std::string file = argv[2];
    if (command == "record" && argc == 3) return Record(file);
    if (command != "play") return Usage();
    std::string shots;
    int every = 60;
    int passesPerPicture = 0;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--shots" && i + 1 < argc) {
            shots = argv[++i];
        } else if (arg == "--every" && i + 1 < argc) {
            every = std::atoi(argv[++i]);
            if (every <= 0) return Usage();
        } else if (arg == "--passes-per-picture" && i + 1 < argc) {
            passesPerPicture = std::atoi(argv[++i]);
            if (passesPerPicture <= 0) return Usage();
        } else {
            return Usage();
        }
    }
    return Play(file, shots, every, passesPerPicture);
}
