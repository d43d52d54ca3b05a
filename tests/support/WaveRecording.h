#pragma once

#include <string>

// Sends what OpenAL Soft mixes into a WAV file instead of a sound card, through its wave
// backend: stereo 32-bit float at 48 kHz (float keeps what a fixed-point output would
// clip). Every device opened later in this process writes the file afresh from its start
// and completes it when it closes (AudioManager::Release).
//
// OpenAL Soft reads its configuration once, when the process first touches it: call this
// before anything opens a device, and only once per process.
void RecordOpenAlOutput(const std::string& wavPath, const std::string& configPath);
