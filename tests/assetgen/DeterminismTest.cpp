// Two complete runs of the generator must write byte-identical files.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "AssetGenerator.h"
#include "GeneratedTree.h"
#include "Manifest.h"

namespace {

std::vector<char> Bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(Determinism, SecondRunWritesIdenticalBytes) {
    const std::filesystem::path& first = GeneratedRoot();
    const std::filesystem::path second = ScratchFolder("again");
    std::string error;
    ASSERT_TRUE(GenerateAssets(second, error)) << error;
    for (const ManifestEntry& e : Manifest()) {
        if (e.kind == AssetKind::Model) continue;  // the model generator checks its own
        const std::vector<char> a = Bytes(first / e.path);
        ASSERT_FALSE(a.empty()) << e.path;
        EXPECT_TRUE(a == Bytes(second / e.path)) << e.path << " differs between runs";
    }
}
