// Records the session that the replay tests play back: the title, Enter, a battle in
// which the aiming bot fights for a while and then leaves its robot idle until it is worn
// down, the game-over screen, Enter, and the title again. Writes the recorded input
// (InputLog text) and the game's digest after every pass (GameDigest), so that a replay
// by later code can be held to exactly the game this code played.
//
//   record_session DIR          writes DIR/session.input and DIR/session.digests
//
// Run from the build folder (it reads the generated Data/). The game plays on the
// scripted platform's virtual clock, one picture a pass, with only the draw calls made
// (nothing rasterised), so the recording takes seconds, not minutes.
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/SceneManager.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/platform/Keys.h"
#include "engine/platform/RecordingPlatform.h"
#include "game/scenes/GameScene.h"
#include "game/scenes/Gameover.h"
#include "game/scenes/Title.h"
#include "support/AimBot.h"
#include "support/GameDigest.h"
#include "support/GameHarness.h"

namespace {

constexpr uint64_t kFightingPasses = 700;  // then the robot stands idle
constexpr uint64_t kPassLimit = 20000;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: record_session DIR\n", stderr);
        return 2;
    }
    const std::string dir = argv[1];
    PrepareHeadlessEnvironment();

    auto scripted = std::make_unique<ScriptedPlatform>(271828);
    ScriptedPlatform* platform = scripted.get();
    aimbot::AimBot bot;
    uint64_t battleStart = 0, gameoverStart = 0, titleAgain = 0;
    platform->SetScript([&](uint64_t pass) {
        SceneBase* scene = SceneManager::GetInstance().GetCurrent();
        if (auto* battle = dynamic_cast<GameScene*>(scene)) {
            if (!battleStart) battleStart = pass;
            bot.scene = battle;
            if (pass - battleStart < kFightingPasses) return bot.Next(pass);
            return PassInput{};
        }
        if (dynamic_cast<Gameover*>(scene)) {
            if (!gameoverStart) gameoverStart = pass;
            if (pass >= gameoverStart + 60 && pass < gameoverStart + 63)
                return GameHarness::Hold({vk::Return});
            return PassInput{};
        }
        if (dynamic_cast<Title*>(scene)) {
            if (gameoverStart && !titleAgain) titleAgain = pass;
            if (titleAgain && pass >= titleAgain + 40) platform->SetPassLimit(pass);
            if (pass >= 10 && pass < 13) return GameHarness::Hold({vk::Return});
        }
        return PassInput{};
    });
    platform->SetPassLimit(kPassLimit);
    std::vector<uint64_t> digests;
    platform->SetPassStartHook([&](uint64_t) { digests.push_back(DigestGame()); });

    auto recorder = std::make_unique<RecordingPlatform>(std::move(scripted));
    RecordingPlatform* recording = recorder.get();
    SetPlatform(std::move(recorder));
    GraphicsDevice::GetInstance().SetSkipRasterization(true);
    const bool ran = Application::GetInstance().Run([] { return new Title; });
    GraphicsDevice::GetInstance().SetSkipRasterization(false);
    // digests[k] is the state after pass k (the pump that closes the window takes none).
    const InputLog log = recording->GetLog();
    SetPlatform(nullptr);
    if (!ran || !titleAgain) {
        std::fprintf(stderr, "record_session: the session did not come back to the title\n");
        return 1;
    }
    if (!log.Save(dir + "/session.input")) {
        std::fprintf(stderr, "record_session: cannot write %s/session.input\n", dir.c_str());
        return 1;
    }
    std::ofstream out(dir + "/session.digests", std::ios::binary);
    out << FormatDigests(digests);
    if (!out) {
        std::fprintf(stderr, "record_session: cannot write %s/session.digests\n", dir.c_str());
        return 1;
    }
    std::printf("recorded %zu passes: battle from pass %llu, game over from %llu, title at %llu\n",
                digests.size() - 1, static_cast<unsigned long long>(battleStart),
                static_cast<unsigned long long>(gameoverStart),
                static_cast<unsigned long long>(titleAgain));
    return 0;
}
