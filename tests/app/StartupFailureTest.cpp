// Start-up failures tell the truth: which part failed, in its own words, and a run that
// reports failure. Each is checked in the real loop and, for the exit status, in the game's
// own binary.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/Application.h"
#include "engine/graphics/FwShaderProgram.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/platform/SystemConventions.h"
#include "support/ChildProcess.h"
#include "support/DialogReader.h"
#include "support/GameHarness.h"

namespace {

using Environment = std::vector<std::pair<std::string, std::string>>;

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

// The video driver the tests draw with (offscreen on Linux, Windows' own under Wine).
std::string TestVideoDriver() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    return driver != nullptr && driver[0] != '\0' ? driver : "offscreen";
}

// Runs the game binary with extra environment; its exit status and stderr. A message box
// would wait for a click: the game writes the same text to stderr.
ChildOutcome RunGame(Environment environment, std::vector<std::string> arguments = {}) {
    environment.emplace_back("HOSHIKAGE_NO_MESSAGE_BOX", "1");
    arguments.insert(arguments.begin(), "--no-settings");
    ChildOptions options;
    options.environment = std::move(environment);
    options.timeoutSeconds = 60;
    return RunChild(HOSHIKAGE_GAME, arguments, options);
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
    const ChildOutcome noWindow =
        RunGame({{"SDL_VIDEODRIVER", "no-such-driver"}, {"ALSOFT_DRIVERS", "null"}});
    EXPECT_EQ(noWindow.status, 1) << noWindow.output;
    EXPECT_NE(noWindow.output.find("ウィンドウ作成に失敗"), std::string::npos) << noWindow.output;

    // A driver that offers less than OpenGL 3.3: the graphics device's message, not the
    // window's. Mesa can be told to offer less; Wine's OpenGL does not pass that on, and
    // Windows drivers have no such switch (the in-process test above covers the message).
    if (!kWindows) {
        const ChildOutcome oldDriver = RunGame({{"SDL_VIDEODRIVER", TestVideoDriver()},
                                                {"ALSOFT_DRIVERS", "null"},
                                                {"MESA_GL_VERSION_OVERRIDE", "3.0"},
                                                {"MESA_GLSL_VERSION_OVERRIDE", "130"}});
        EXPECT_EQ(oldDriver.status, 1) << oldDriver.output;
        EXPECT_NE(oldDriver.output.find("Direct3D初期化失敗"), std::string::npos)
            << oldDriver.output;
        EXPECT_EQ(oldDriver.output.find("ウィンドウ作成に失敗"), std::string::npos)
            << oldDriver.output;
    }

    // No sound device: the message names this system's way to play without sound.
    const ChildOutcome noSound =
        RunGame({{"SDL_VIDEODRIVER", TestVideoDriver()}, {"ALSOFT_DRIVERS", "no-such-backend"}});
    EXPECT_EQ(noSound.status, 1) << noSound.output;
    EXPECT_NE(noSound.output.find("サウンド初期化失敗"), std::string::npos) << noSound.output;
    EXPECT_NE(noSound.output.find(StartWithoutSoundHint()), std::string::npos) << noSound.output;
}

TEST(StartupFailure, ThePlayerReadsTheFailureInTheSystemsMessageBox) {
    if (!DialogReader::Supported()) GTEST_SKIP() << "message boxes are read on Windows only";
    DialogReader reader("エラー");
    ChildOptions options;
    options.environment = {{"SDL_VIDEODRIVER", "no-such-driver"},
                           {"ALSOFT_DRIVERS", "null"},
                           {"HOSHIKAGE_NO_MESSAGE_BOX", "0"}};
    // Returns once the reader has pressed OK.
    const ChildOutcome outcome = RunChild(HOSHIKAGE_GAME, {"--no-settings"}, options);
    ASSERT_TRUE(reader.Wait());
    EXPECT_EQ(reader.Text(), "ウィンドウ作成に失敗");
    EXPECT_FALSE(reader.HasErrorIcon());  // a plain OK box, as the window failure has always had
    EXPECT_EQ(outcome.status, 1);
}

TEST(StartupFailure, ABadCommandLineIsRefusedWithAFailureStatus) {
    const ChildOutcome outcome = RunGame({}, {"--volume", "300"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.output.find("--volume"), std::string::npos) << outcome.output;
}

}  // namespace
