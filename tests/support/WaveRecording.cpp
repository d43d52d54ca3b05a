#include "support/WaveRecording.h"

#include <cstdlib>
#include <fstream>

void RecordOpenAlOutput(const std::string& wavPath, const std::string& configPath) {
    std::ofstream(configPath) << "[general]\ndrivers=wave\nchannels=stereo\n"
                                 "sample-type=float32\nfrequency=48000\n[wave]\nfile="
                              << wavPath << "\n";
    setenv("ALSOFT_CONF", configPath.c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
    setenv("ALSOFT_LOGLEVEL", "0", 0);
}
