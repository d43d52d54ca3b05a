#include "game/scenes/Title.h"

#include "app/InputLatch.h"
#include "app/SceneManager.h"
#include "engine/audio/SoundCache.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "engine/platform/Keys.h"
#include "engine/platform/Platform.h"
#include "game/player/Thruster.h"
#include "game/scenes/GameScene.h"

namespace {
// Depths of the two legs of the robot's flight: the fly-by far away, then the close-up.
constexpr float kFlyByZ = 100.0f;
constexpr float kCloseUpZ = 5.0f;
}  // namespace

Title::Title() {
    spaceModel = GetModel("Data/space/space.gltf");
    robotModel = GetModel("Data/title/title_player.gltf");
    click = {GetTexture("Data/title/click.png"),
             Matrix::CreateScale(0.5f) * Matrix::CreateTranslation(0, -270, 0), 792, 161};
    title5 = {GetTexture("Data/title/title5.png"), Matrix::CreateTranslation(-250, 310, 0), 422,
              101};
    title4 = {GetTexture("Data/title/title4.png"),
              Matrix::CreateScale(2) * Matrix::CreateTranslation(0, 180, 0), 285, 102};
    fadeSprite = {GetTexture("Data/tex/black.png"), Matrix::Identity(), 1280, 720};
    spaceMatrix = Matrix::CreateScale(350);
    robotMatrix = Matrix::CreateScale(5) * Matrix::CreateRotationZ(ToRadians(90)) *
                  Matrix::CreateRotationX(ToRadians(90)) *
                  Matrix::CreateTranslation(150, 0, kFlyByZ);
    thrusters[0] = std::make_unique<Thruster>(Matrix::CreateTranslation(0.3f, 7, -1));
    thrusters[1] = std::make_unique<Thruster>(Matrix::CreateTranslation(-0.3f, 7, -1));
    bgm = PlayMusic("Data/sound/title.wav", 0.03f, true);
    // The battle's ambient light. The only other light shines straight down, which leaves
    // the close-up robot's face in the dark; set here, the first title looks like every
    // title after a battle.
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.SetAmbientLight(Vector3(0.7f, 0.7f, 0.7f));
    shaders.UploadLights();
}

Title::~Title() {
    if (bgm) bgm->Stop();
}

void Title::Start() {
    started = true;
    if (bgm) bgm->Stop();
    if (!startSoundPlayed) {
        PlaySoundOnce("Data/sound/start.wav", 0.1f, false);
        startSoundPlayed = true;
    }
}

void Title::Update() {
    Platform& platform = GetPlatform();
    InputLatch& latch = InputLatch::GetInstance();
    if (latch.TriggerEnter(platform.IsKeyDown(vk::Return))) Start();
    if (latch.TriggerClick(platform.IsKeyDown(vk::LButton))) Start();

    if (started) {
        fade += 0.01f;
        if (fade > 1.0f) SceneManager::GetInstance().SetScene(new GameScene);
    }

    MoveRobot();
    for (auto& thruster : thrusters) {
        if (thruster) thruster->Step(robotMatrix, false, true);
    }
}

void Title::MoveRobot() {
    Vector3 position = robotMatrix.Translation();
    if (position.z == kFlyByZ) position.x -= 1.0f;
    if (position.z == kCloseUpZ) {
        position.y -= 0.2f;
        thrusters[0].reset();
        thrusters[1].reset();
    }
    robotMatrix.SetTranslation(position);
    if (position.x < -150.0f) {
        robotMatrix =
            Matrix::CreateRotationY(ToRadians(180)) * Matrix::CreateTranslation(0, 5, kCloseUpZ);
    }
    if (robotMatrix.Translation().y < -9.0f) {
        robotMatrix =
            Matrix::CreateRotationY(ToRadians(180)) * Matrix::CreateTranslation(0, -9, kCloseUpZ);
    }
}

void Title::SetCamera() {
    ShaderManager& shaders = ShaderManager::GetInstance();
    const Matrix view = Matrix::CreateLookAt({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
    shaders.SetView(view);
    shaders.SetCameraPosition(view.Invert().Translation());
    shaders.SetProjMatrix(
        Matrix::CreatePerspectiveFieldOfView(kPi / 3.0f, 1280.0f / 720.0f, 0.01f, 2000.0f));
    shaders.UploadCamera();
}

void Title::Draw() {
    ShaderManager& shaders = ShaderManager::GetInstance();
    ModelShader& modelShader = shaders.GetModelShader();
    modelShader.Activate();
    modelShader.SetLightEnable(false);
    modelShader.SetWorld(spaceMatrix);
    DrawModel(spaceModel, 1.0f, nullptr);
    modelShader.SetLightEnable(true);

    modelShader.SetWorld(robotMatrix);
    DrawModel(robotModel, 1.0f, nullptr);
    for (auto& thruster : thrusters) {
        if (thruster) thruster->DrawFlame(false, false, false);
    }

    SpriteShader& sprites = shaders.GetSpriteShader();
    sprites.Begin(false, true);
    click.Draw();
    title4.Draw();
    title5.Draw();
    if (started) fadeSprite.Draw(Color(1, 1, 1, fade));
    sprites.End();
}
