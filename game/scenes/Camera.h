#pragma once

#include <array>
#include <memory>

#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"
#include "engine/platform/Platform.h"
#include "game/enemy/LiftMotion.h"

// The battle's third-person camera (owned by GameScene). The mouse, held at the window
// centre, and the arrow keys turn it; it follows the player four passes late, sets the
// view, projection and audio listener, and rises away from the player while it dies.
//
// The constructor captures and hides the cursor; the owner shows it again when it deletes
// the camera.
class Camera {
public:
    static constexpr float kMinPitch = -20.0f;  // degrees
    static constexpr float kMaxPitch = 60.0f;
    static constexpr int kHistory = 5;  // the oldest is four passes old

    Camera();
    ~Camera();
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    // Once per battle pass, before the player's update: mouse motion (0.25° per pixel,
    // the cursor put back to the centre), then the arrow keys (2° per pass, the yaw
    // wrapped into 0..360 by the arrows only). Pitch stays within −20..60.
    void ReadInput();

    // Once per pass from the scene's SetCamera: eye and focus from the player's world
    // matrix of four passes ago (or the death lift while playerDying), then the view,
    // the projection (60°, 1280/720, 0.01 to 2000) and the audio listener.
    void Follow(const Matrix& playerWorld, bool playerDying);

    float GetPitch() const { return pitch; }
    float GetYaw() const { return yaw; }
    void SetYaw(float y) { yaw = y; }
    void SetPitch(float p) { pitch = p; }
    bool IsDeathViewDone() const { return deathViewDone; }

    const Vector3& GetEye() const { return eye; }
    const Vector3& GetFocus() const { return focus; }
    const Matrix& GetView() const { return view; }
    const PlatformPoint& GetCenter() const { return center; }
    const std::array<Matrix, kHistory>& GetHistory() const { return history; }
    const LiftMotion* GetDeathMover() const { return deathMover.get(); }

    // Ten units against the viewing direction of (pitch, yaw) in degrees.
    static Vector3 EyeOffset(float pitch, float yaw);
    static Matrix Projection();

private:
    PlatformPoint center;
    float pitch = 15.0f;  // degrees
    float yaw = 0.0f;     // degrees
    std::unique_ptr<LiftMotion> deathMover;
    bool deathViewDone = false;
    Vector3 deathFocus;
    std::array<Matrix, kHistory> history;  // newest first
    Vector3 eye;
    Vector3 focus;
    Matrix view;
};
