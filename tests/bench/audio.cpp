// Costs of the audio layer on OpenAL Soft's null backend (the mixer runs, nothing is heard):
// decoding a WAV, the per-shot cost of a positioned one-shot, and the per-pass play-list walk.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <vector>

#include "engine/audio/AudioManager.h"
#include "engine/audio/SoundCache.h"
#include "engine/audio/WavDecoder.h"
#include "support/Environment.h"

namespace {

// A mono 16-bit sine WAV image.
std::vector<uint8_t> ToneWav(double seconds, uint32_t rate) {
    const auto frames = static_cast<uint32_t>(seconds * rate);
    std::vector<uint8_t> out;
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(t[i]));
    };
    tag("RIFF");
    put(36 + frames * 2, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2);
    put(1, 2);
    put(rate, 4);
    put(rate * 2, 4);
    put(2, 2);
    put(16, 2);
    tag("data");
    put(frames * 2, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        const double v = 0.5 * std::sin(2.0 * std::numbers::pi * 440.0 * i / rate);
        put(static_cast<uint16_t>(static_cast<int16_t>(v * 32767.0)), 2);
    }
    return out;
}

std::string WriteTone(const char* name, double seconds) {
    const auto path = std::filesystem::temp_directory_path() / name;
    const auto bytes = ToneWav(seconds, 44100);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

void BM_DecodeOneSecondWav(benchmark::State& state) {
    const auto bytes = ToneWav(1.0, 44100);
    PcmSound pcm;
    for (auto _ : state) {
        WavDecoder::DecodeMemory(bytes.data(), bytes.size(), pcm);
        benchmark::DoNotOptimize(pcm.samples.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeOneSecondWav);

// One hit or shot: a cached sound started at a position, then the voice stopped and pruned so
// that the list does not grow across iterations.
void BM_PlaySound3DOnceThenPrune(benchmark::State& state) {
    const std::string path = WriteTone("hoshikage-bench-shot.wav", 0.2);
    GetSound(path);
    for (auto _ : state) {
        auto voice = PlaySound3D(path, Vector3(3, 0, 7), 0.1f, false, 30.0f);
        voice->Stop();
        voice.reset();
        AudioManager::GetInstance().Update();
    }
}
BENCHMARK(BM_PlaySound3DOnceThenPrune);

// The per-pass walk with this many looping voices that stay in the list.
void BM_UpdateWithPlayingVoices(benchmark::State& state) {
    const std::string path = WriteTone("hoshikage-bench-loop.wav", 0.5);
    std::vector<std::shared_ptr<FwSoundInstance>> voices;
    for (int i = 0; i < state.range(0); ++i) voices.push_back(PlaySound(path, 0.01f, true));
    for (auto _ : state) AudioManager::GetInstance().Update();
    for (auto& voice : voices) voice->Stop();
    AudioManager::GetInstance().Update();
}
BENCHMARK(BM_UpdateWithPlayingVoices)->Arg(8)->Arg(64);

}  // namespace

int main(int argc, char** argv) {
    SetEnv("ALSOFT_DRIVERS", "null");
    if (!AudioManager::GetInstance().Initialize()) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    AudioManager::GetInstance().Release();
    return 0;
}
