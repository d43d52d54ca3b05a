// The game's loudness as a player hears it. Plays scripted scenes headless in the real
// loop, paced in real time (62.5 passes per second, as the frame limiter runs the game),
// records what OpenAL Soft mixes through its wave backend and prints per scene the
// integrated loudness, the loudness range, the true and sample peaks and the loudest
// moments (EBU R128, measured with libebur128). The mix is calibrated for about -23 LUFS
// integrated with true peaks at or under -1 dBTP.
//
//   measure_loudness [--gain G] [--keep DIR] [scene ...]
//
// Scenes (all four when none is named):
//   title    the title screen left alone for 30 s: its music
//   battle   a whole battle from its first pass: 8 s of flying about, boosting and
//            swinging the axe, then the aiming bot with the rail gun (kept alive) until the
//            ship is destroyed and the fade to the clear screen ends; at most 240 s
//   gameover the game-over screen until it returns to the title (9.6 s): its music
//   pileup   the loudest moments at once, three times: the battle music, the dying siren,
//            two large blasts, a cannon's explosion, five robots firing and the hits, all
//            at the listener; played with the output limiter and again without it
//
// --gain sets the master gain (1: the calibrated level, as the game's default volume);
// --keep DIR keeps each scene's recording there as SCENE.wav.
//
// Run from the build folder (it reads the generated Data/).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/SceneManager.h"
#include "engine/audio/AudioManager.h"
#include "engine/audio/FwSoundEffect.h"
#include "engine/audio/SoundCache.h"
#include "engine/platform/Keys.h"
#include "game/player/Player.h"
#include "game/scenes/GameScene.h"
#include "game/scenes/Gameover.h"
#include "game/scenes/Title.h"
#include "support/AimBot.h"
#include "support/GameHarness.h"
#include "support/Loudness.h"
#include "support/WaveRecording.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPass = std::chrono::milliseconds(16);  // the loop's budget per pass
constexpr uint64_t kPassesPerSecond = 62;

// The scripted pilot of the battle's opening: flies about in bursts of boost, turns the
// camera and swings the axe now and then.
PassInput OpeningPilot(uint64_t pass) {
    PassInput input;
    const uint64_t phase = pass % 240;
    input.held.insert(phase < 120 ? 'W' : (phase < 180 ? 'A' : 'D'));
    if (phase < 90) input.held.insert(vk::Shift);
    if (pass % 75 == 20) input.held.insert(vk::LButton);
    input.mouseDx = phase < 120 ? 6 : -4;
    return input;
}

// The loudest moments at once, at the listener, at the game's own volumes: the same play
// operations the battle uses.
class PileUp : public SceneBase {
public:
    PileUp() {
        music = PlaySound("Data/sound/battle.wav", 0.03f, true);
        siren = PlaySound3D("Data/sound/dead.wav", {}, 0.2f, true, kNoFalloff);
    }
    ~PileUp() override {
        if (music) music->Stop();
        if (siren) siren->Stop();
    }
    void Update() override {
        AudioManager::GetInstance().SetListener({}, {0, 0, 1}, {0, 1, 0});
        if (++pass % 190 != 60) return;
        for (int i = 0; i < 2; ++i) Blast("Data/sound/deadBom.wav");
        Blast("Data/sound/explosion3.wav");
        for (int i = 0; i < 5; ++i) Blast("Data/sound/gun.wav");
        Blast("Data/sound/bulletHit.wav");
        Blast("Data/sound/attackHit.wav");
    }

private:
    static constexpr float kNoFalloff = std::numeric_limits<float>::max();
    static void Blast(const char* path) { PlaySound3DOnce(path, {}, 0.1f, false, kNoFalloff); }

    std::shared_ptr<FwSoundInstance> music, siren;
    uint64_t pass = 0;
};

struct SceneRun {
    std::string name;
    double passesPerSecond = 0.0;
    bool limiter = true;
    LoudnessFigures figures;
    std::map<std::string, int> plays;  // voices started, by file
};

// Counts the voices that joined the play list since the last pass, by file.
class PlayCounter {
public:
    void Pass(std::map<std::string, int>& plays) {
        std::set<const FwSoundInstance*> now;
        for (const auto& [key, voice] : AudioManager::GetInstance().GetPlayList()) {
            now.insert(key);
            if (!last.count(key) && voice->GetSource()) ++plays[voice->GetSource()->GetFilePath()];
        }
        last.swap(now);
    }

private:
    std::set<const FwSoundInstance*> last;
};

// Runs one scene in the real loop with real-time pacing and measures what was recorded.
// stop (optional) is asked at every pass whether the scene is over.
bool Record(const std::string& name, const Application::SceneFactory& first, uint64_t maxPasses,
            const ScriptedPlatform::Script& script, const std::function<bool()>& stop,
            const std::string& wavPath, SceneRun& run) {
    run.name = name;
    GameHarness harness;
    harness.DrawNothing();
    ScriptedPlatform& platform = harness.Platform();
    if (script) platform.SetScript(script);
    const Clock::time_point start = Clock::now();
    uint64_t lastPass = 0;
    PlayCounter counter;
    platform.SetPassHook([&](uint64_t pass) {
        counter.Pass(run.plays);
        // The game's passes at the game's pace, so that sounds overlap as they do in play.
        std::this_thread::sleep_until(start + kPass * (pass - 1));
        lastPass = pass;
        if (pass == 2) run.limiter = AudioManager::GetInstance().IsLimiting();
        if (stop && stop()) platform.SetPassLimit(pass);
    });
    harness.Run(first, maxPasses);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.passesPerSecond = seconds > 0.0 ? static_cast<double>(lastPass) / seconds : 0.0;
    return MeasureLoudnessFile(wavPath, run.figures);
}

void Print(const SceneRun& run) {
    const LoudnessFigures& f = run.figures;
    std::printf(
        "%-16s %6.1f s  %6.1f LUFS  LRA %5.1f LU  true peak %6.1f dBTP  sample peak %6.1f "
        "dBFS  over full scale %zu  loudest 400 ms %6.1f LUFS at %5.1f s, 3 s %6.1f LUFS at "
        "%5.1f s  (limiter %s, %.1f passes/s)\n",
        run.name.c_str(), f.seconds, f.integrated, f.range, f.truePeak, f.samplePeak,
        f.overFullScale, f.maxMomentary, f.maxMomentaryAt, f.maxShortTerm, f.maxShortTermAt,
        run.limiter ? "on" : "off", run.passesPerSecond);
    std::printf("%-16s voices started:", "");
    for (const auto& [path, count] : run.plays) {
        const std::size_t slash = path.find_last_of('/');
        std::printf(" %s %d", path.c_str() + (slash == std::string::npos ? 0 : slash + 1), count);
    }
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    float gain = 1.0f;
    std::string keep;
    std::set<std::string> scenes;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--gain" && i + 1 < argc) {
            gain = std::strtof(argv[++i], nullptr);
        } else if (arg == "--keep" && i + 1 < argc) {
            keep = argv[++i];
        } else if (arg == "title" || arg == "battle" || arg == "gameover" || arg == "pileup") {
            scenes.insert(arg);
        } else {
            std::fprintf(stderr,
                         "usage: measure_loudness [--gain G] [--keep DIR] "
                         "[title] [battle] [gameover] [pileup]\n");
            return 2;
        }
    }
    if (scenes.empty()) scenes = {"title", "battle", "gameover", "pileup"};

    namespace fs = std::filesystem;
    const auto stamp = Clock::now().time_since_epoch().count();
    const fs::path folder =
        fs::temp_directory_path() / ("hoshikage-loudness-" + std::to_string(stamp));
    fs::create_directories(folder);
    const std::string wav = (folder / "output.wav").string();
    RecordOpenAlOutput(wav, (folder / "alsoft.conf").string());
    AudioManager::GetInstance().SetMasterGain(gain);
    std::printf("master gain %.3f (listener gain %.3f)\n", gain,
                gain * AudioManager::kCalibratedGain);

    bool ok = true;
    const auto measure = [&](const std::string& name, const Application::SceneFactory& first,
                             uint64_t maxPasses, const ScriptedPlatform::Script& script,
                             const std::function<bool()>& stop) {
        SceneRun run;
        if (!Record(name, first, maxPasses, script, stop, wav, run)) {
            std::fprintf(stderr, "%s: no recording to measure\n", name.c_str());
            ok = false;
            return;
        }
        Print(run);
        if (!keep.empty()) {
            fs::create_directories(keep);
            fs::copy_file(wav, fs::path(keep) / (name + ".wav"),
                          fs::copy_options::overwrite_existing);
        }
    };

    if (scenes.count("title")) {
        measure(
            "title", [] { return new Title; }, 30 * kPassesPerSecond, nullptr, nullptr);
    }
    if (scenes.count("battle")) {
        AimBot bot;
        GameScene* battle = nullptr;
        const auto script = [&](uint64_t pass) {
            auto* current = dynamic_cast<GameScene*>(SceneManager::GetInstance().GetCurrent());
            if (!current) return PassInput{};
            battle = current;
            // Kept alive: the measure is of a whole battle, its destruction included.
            Player* player = battle->GetPlayer();
            if (player && player->IsAlive() && !player->IsDying()) player->SetHp(2000);
            if (pass <= 8 * kPassesPerSecond) return OpeningPilot(pass);
            bot.scene = battle;
            return bot.Next(pass);
        };
        const auto over = [&] {
            return battle && SceneManager::GetInstance().GetCurrent() != battle;
        };
        measure(
            "battle", [] { return new GameScene; }, 240 * kPassesPerSecond, script, over);
    }
    if (scenes.count("gameover")) {
        // It returns to the title by itself after 601 passes.
        measure(
            "gameover", [] { return new Gameover; }, 600, nullptr, nullptr);
    }
    if (scenes.count("pileup")) {
        measure(
            "pileup limited", [] { return new PileUp; }, 10 * kPassesPerSecond, nullptr, nullptr);
        AudioManager::UseOutputLimiter(false);
        measure(
            "pileup unlimited", [] { return new PileUp; }, 10 * kPassesPerSecond, nullptr, nullptr);
        AudioManager::UseOutputLimiter(true);
    }
    fs::remove_all(folder);
    return ok ? 0 : 1;
}
