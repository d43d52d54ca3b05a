#include "game/scenes/Camera.h"

#include <algorithm>
#include <cmath>

#include "engine/audio/AudioManager.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/platform/Keys.h"

Camera::Camera() {
    Platform& platform = GetPlatform();
    center = platform.ClientToScreen({640, 360});
    platform.SetCursorPos(center);
    platform.ShowCursor(false);
    history.fill(Matrix::CreateTranslation(0.0f, 4.0f, 0.0f));
}

Camera::~Camera() = default;

void Camera::ReadInput() {
    Platform& platform = GetPlatform();
    const PlatformPoint cursor = platform.GetCursorPos();
    yaw += static_cast<float>(cursor.x - center.x) * 0.25f;
    pitch += static_cast<float>(cursor.y - center.y) * 0.25f;
    pitch = std::clamp(pitch, kMinPitch, kMaxPitch);
    platform.SetCursorPos(center);

    if (platform.IsKeyDown(vk::Right)) {
        yaw += 2.0f;
        if (yaw > 360.0f) yaw -= 360.0f;
    }
    if (platform.IsKeyDown(vk::Left)) {
        yaw -= 2.0f;
        if (yaw < 0.0f) yaw += 360.0f;
    }
    if (platform.IsKeyDown(vk::Up)) pitch = std::min(pitch + 2.0f, kMaxPitch);
    if (platform.IsKeyDown(vk::Down)) pitch = std::max(pitch - 2.0f, kMinPitch);
}

Vector3 Camera::EyeOffset(float pitch, float yaw) {
    const Matrix r =
        Matrix::CreateRotationX(ToRadians(pitch)) * Matrix::CreateRotationY(ToRadians(yaw));
    const Vector4 forward = r.Row(2);
    return Vector3(forward.x, forward.y, forward.z) * -10.0f;
}

Matrix Camera::Projection() {
    return Matrix::CreatePerspectiveFieldOfView(kPi / 3.0f, 1280.0f / 720.0f, 0.01f, 2000.0f);
}

void Camera::Follow(const Matrix& playerWorld, bool playerDying) {
    const Vector3 offset = EyeOffset(pitch, yaw);
    const Vector3 lookHeight(0.0f, 2.0f, 0.0f);
    if (!playerDying) {
        for (int i = kHistory - 1; i > 0; --i) history[i] = history[i - 1];
        history[0] = playerWorld;
        const Vector3 lagged = history[kHistory - 1].Translation();
        eye = lagged + offset;
        focus = lagged + lookHeight;
    } else if (!deathMover) {
        // The lift starts from where the camera would now stand behind the latest pose.
        eye = history[0].Translation() + offset;
        deathFocus = playerWorld.Translation() + lookHeight;
        deathMover = std::make_unique<LiftMotion>(eye);
        focus = deathFocus;
    } else {
        if (deathMover->RunLift()) deathViewDone = true;
        eye = deathMover->GetPosition();
        focus = deathFocus;
    }

    ShaderManager& shaders = ShaderManager::GetInstance();
    view = Matrix::CreateLookAt(eye, focus, Vector3(0.0f, 1.0f, 0.0f));
    shaders.SetView(view);
    shaders.SetCameraPosition(view.Invert().Translation());
    shaders.SetProjMatrix(Projection());
    shaders.UploadCamera();

    const float yawRadians = ToRadians(yaw);
    AudioManager::GetInstance().SetListener(
        eye, Vector3(std::sin(yawRadians), 0.0f, std::cos(yawRadians)), Vector3(0.0f, 1.0f, 0.0f));
}
