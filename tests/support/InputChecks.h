#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What the fuzz targets do with one input, each through the loader the game uses for that
// kind of file. The libFuzzer entry points (tests/fuzz) and the test of the inputs they
// found (tests/inputs) share these, so a kept input is replayed exactly as it was found.
//
// Every check loads the input and then asserts what the loader promises about its result
// (indices inside their vertices, pixels for the whole image, a round trip that gives the
// same data...). A broken promise prints what broke and aborts, which the fuzzer reports as
// a finding and a test as a crash.
namespace inputcheck {

void GltfText(const uint8_t* data, std::size_t size);
void GltfBinary(const uint8_t* data, std::size_t size);
// data is the one external buffer of the model whose glTF text is modelText; the buffer's
// declared byteLength is set to size first, since the loader refuses any other length.
void GltfBuffer(const std::string& modelText, const uint8_t* data, std::size_t size);
void Image(const uint8_t* data, std::size_t size);
void Wav(const uint8_t* data, std::size_t size);
void StoneTable(const uint8_t* data, std::size_t size);
void ReplayLog(const uint8_t* data, std::size_t size);
void SettingsFile(const uint8_t* data, std::size_t size);
void GlyphMetricsFile(const uint8_t* data, std::size_t size);

}  // namespace inputcheck
