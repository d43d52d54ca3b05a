// Every input a fuzz target found a fault with (tests/fuzz/found/TARGET/), replayed
// through the same check as in the fuzzer after the mend: none may break a loader's
// promise, and under the sanitizer build none may touch memory it should not.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "support/InputChecks.h"

namespace {

namespace fs = std::filesystem;
using Check = std::function<void(const uint8_t*, size_t)>;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string DataRoot() {
    const char* root = std::getenv("HOSHIKAGE_TEST_DATA");
    return root ? root : ".";
}

const std::map<std::string, Check>& Checks() {
    static const std::map<std::string, Check> checks = {
        {"gltf_text", inputcheck::GltfText},
        {"gltf_binary", inputcheck::GltfBinary},
        {"gltf_buffer",
         [](const uint8_t* data, size_t size) {
             // The model the buffer target fuzzes (tests/fuzz/CMakeLists.txt).
             static const std::string model = ReadAll(DataRoot() + "/Data/Missile/Missile.gltf");
             ASSERT_FALSE(model.empty());
             inputcheck::GltfBuffer(model, data, size);
         }},
        {"image", inputcheck::Image},
        {"wav", inputcheck::Wav},
        {"stone_table", inputcheck::StoneTable},
        {"replay_log", inputcheck::ReplayLog},
        {"settings", inputcheck::SettingsFile},
        {"glyph_metrics", inputcheck::GlyphMetricsFile},
    };
    return checks;
}

TEST(FoundInputs, EveryKeptInputPassesItsTargetsCheck) {
    const fs::path found = HOSHIKAGE_FOUND_INPUTS;
    ASSERT_TRUE(fs::is_directory(found)) << found;
    int replayed = 0;
    for (const auto& folder : fs::directory_iterator(found)) {
        const std::string target = folder.path().filename().string();
        const auto check = Checks().find(target);
        ASSERT_NE(check, Checks().end()) << "no fuzz target is called " << target;
        for (const auto& file : fs::directory_iterator(folder.path())) {
            SCOPED_TRACE(file.path().string());
            const std::string bytes = ReadAll(file.path());
            check->second(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}

}  // namespace
