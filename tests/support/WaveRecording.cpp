#include "support/WaveRecording.h"

#include <cstdlib>
#include <fstream>

#include "support/Environment.h"

void RecordOpenAlOutput(const std::string& wavPath, const std::string& configPath) {
    std::ofstream(configPath) << "[general]\ndrivers=wave\nchannels=stereo\n"
                                 "sample-type=float32\nfrequency=48000\n[wave]\nfile="
                              << wavPath << "\n";
    SetEnv("ALSOFT_CONF", configPath.c_str());
    SetEnv("ALSOFT_DRIVERS", "wave");
    SetEnv("ALSOFT_LOGLEVEL", "0", false);
}
