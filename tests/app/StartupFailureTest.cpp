// Start-up failures tell the truth: which part failed, in its own words, and a run that
// reports failure. Each is checked in the real loop and, for the exit status, in the game's
// own binary.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "app/Application.h"
#include "engine/graphics/FwShaderProgram.h"
#include "engine/graphics/GraphicsDevice.h"
#include "support/GameHarness.h"

namespace {

// Runs the game binary with extra environment, returning its exit status and stderr.
struct Outcome {
    int status = -1;
    std::string errors;
};

Outcome RunGame(const std::string& environment) {
    // The time limit only guards against a game that unexpectedly starts and keeps running.
    const std::string command =
        environment + " timeout 30 " HOSHIKAGE_GAME " --no-settings 2>&1 >/dev/null";
    Outcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return outcome;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) outcome.errors += buffer;
    const int raw = pclose(pipe);
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return outcome;
}

TEST(StartupFailure, NoOpenGlContextIsTheGraphicsDevicesFailure) {
    GameHarness harness;
    harness.Platform().SetFailContextCreation(true);
    bool built = false;
    const bool ran = harness.Run(
        [&] {
            built = true;
            return new SceneBase;
        },
        3);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(built);
    ASSERT_EQ(harness.Platform().GetMessages().size(), 1u);
    const auto& message = harness.Platform().GetMessages()[0];
    EXPECT_EQ(message.caption, "Direct3D初期化失敗");
    EXPECT_EQ(message.text, "Direct3D11デバイス作成失敗");
    EXPECT_TRUE(message.withOwner);
    EXPECT_FALSE(GraphicsDevice::GetInstance().IsInitialized());
    EXPECT_EQ(harness.Platform().GetPass(), 0u);
}

class BrokenShader : public ::testing::TestWithParam<int> {
protected:
    void TearDown() override {
        FwShaderProgram::OverrideSource("sprite.frag", "");
        FwShaderProgram::OverrideSource("effect.vert", "");
        FwShaderProgram::OverrideSource("effect.frag", "");
    }
};

TEST_P(BrokenShader, PrintsTheDriverLogAndFailsStartUp) {
    if (GetParam() == 0) {
        // Does not compile.
        FwShaderProgram::OverrideSource("sprite.frag", "void main() { this is not glsl; }\n");
    } else {
        // Both stages compile, but the program does not link: the vertex and fragment
        // stages disagree on the type of what they pass.
        FwShaderProgram::OverrideSource(
            "effect.vert",
            "in vec3 pos;\nout vec4 v_tint;\n"
            "void main() { v_tint = vec4(1.0); gl_Position = vec4(pos, 1.0); }\n");
        FwShaderProgram::OverrideSource(
            "effect.frag",
            "in vec3 v_tint;\nout vec4 colour;\nvoid main() { colour = vec4(v_tint, 1.0); }\n");
    }
    GameHarness harness;
    testing::internal::CaptureStderr();
    const bool ran = harness.Run([] { return new SceneBase; }, 3);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(ran);
    const char* shader = GetParam() == 0 ? "sprite" : "effect";
    EXPECT_NE(errors.find(std::string("the ") + shader + " shader failed to build"),
              std::string::npos)
        << errors;
    // The driver's own words follow (Mesa names the failing line or the missing input).
    const size_t header = errors.find("failed to build:\n");
    ASSERT_NE(header, std::string::npos);
    EXPECT_GT(errors.size(), header + 20) << errors;
    if (GetParam() == 1) {
        EXPECT_NE(errors.find("v_tint"), std::string::npos) << errors;
    }
    ASSERT_EQ(harness.Platform().GetMessages().size(), 1u);
    EXPECT_EQ(harness.Platform().GetMessages()[0].caption, "Direct3D初期化失敗");
    EXPECT_EQ(harness.Platform().GetMessages()[0].text, "シェーダー作成失敗");
    EXPECT_FALSE(GraphicsDevice::GetInstance().IsInitialized());
    EXPECT_EQ(harness.Platform().GetPass(), 0u);
}

INSTANTIATE_TEST_SUITE_P(CompileAndLink, BrokenShader, ::testing::Values(0, 1));

TEST(StartupFailure, TheGameExitsWithAFailureStatusForEachStartUpFailure) {
    // No display at all: the window cannot be made.
    const Outcome noWindow = RunGame("SDL_VIDEODRIVER=no-such-driver ALSOFT_DRIVERS=null");
    EXPECT_NE(noWindow.status, 0);
    EXPECT_NE(noWindow.errors.find("ウィンドウ作成に失敗"), std::string::npos) << noWindow.errors;

    // A driver that offers less than OpenGL 3.3: the graphics device's message, not the
    // window's.
    const Outcome oldDriver = RunGame(
        "SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null MESA_GL_VERSION_OVERRIDE=3.0 "
        "MESA_GLSL_VERSION_OVERRIDE=130");
    EXPECT_NE(oldDriver.status, 0);
    EXPECT_NE(oldDriver.errors.find("Direct3D初期化失敗"), std::string::npos) << oldDriver.errors;
    EXPECT_EQ(oldDriver.errors.find("ウィンドウ作成に失敗"), std::string::npos) << oldDriver.errors;

    // No sound device.
    const Outcome noSound = RunGame("SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=no-such-backend");
    EXPECT_NE(noSound.status, 0);
    EXPECT_NE(noSound.errors.find("サウンド初期化失敗"), std::string::npos) << noSound.errors;
}

TEST(StartupFailure, ABadCommandLineIsRefusedWithAFailureStatus) {
    const std::string command = HOSHIKAGE_GAME " --volume 300 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[512];
    std::string text;
    while (fgets(buffer, sizeof buffer, pipe)) text += buffer;
    const int raw = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 2);
    EXPECT_NE(text.find("--volume"), std::string::npos) << text;
}

}  // namespace
