#include "GeneratedTree.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "AssetGenerator.h"
#include "models/ModelGenerator.h"

namespace {

class ScratchCleanup : public ::testing::Environment {
public:
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(Base(), ec);
    }

    static std::filesystem::path Base() {
        return std::filesystem::temp_directory_path() /
               ("hoshikage-assetgen-" + std::to_string(static_cast<long>(getpid())));
    }
};

[[maybe_unused]] ::testing::Environment* const kCleanup =
    ::testing::AddGlobalTestEnvironment(new ScratchCleanup());

}  // namespace

std::filesystem::path ScratchFolder(const std::string& tag) {
    const std::filesystem::path dir = ScratchCleanup::Base() / tag;
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    std::filesystem::create_directories(dir);
    return dir;
}

const std::filesystem::path& GeneratedRoot() {
    static const std::filesystem::path root = [] {
        const std::filesystem::path dir = ScratchFolder("tree");
        std::string error;
        EXPECT_TRUE(GenerateAssets(dir, error)) << error;
        EXPECT_TRUE(GenerateModels(dir, error)) << error;
        return dir;
    }();
    return root;
}
