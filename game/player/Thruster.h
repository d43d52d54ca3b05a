#pragma once

#include <array>
#include <memory>

#include "app/Object.h"
#include "engine/graphics/EffectVertex.h"
#include "engine/math/Matrix.h"

class AdditiveBlend;
class FwTexture;

// One of the two engines on the player's back: a small engine model, a crossed-ribbon
// exhaust through the last five placements and a flame sprite. Owned by the player, which
// places it at rest (Place), steps it every pass (Step) and draws it (DrawFlame).
class Thruster : public Object {
public:
    static constexpr int kHistory = 5;
    static constexpr int kWarmUp = 10;  // passes before the exhaust is drawn

    using Vertex = EffectVertex;

    // mount: placement relative to the body.
    explicit Thruster(const Matrix& mount);
    ~Thruster() override;

    // Rest placement: every older trail point jumps to the engine.
    void Place(const Matrix& body);
    // One pass: moving sinks the trail points, standing throws them aside when the body
    // changed. keepLit keeps the exhaust at full alpha (the player always passes true).
    void Step(const Matrix& body, bool moving, bool keepLit);
    // Whether the robot is overheated, which narrows the exhaust ribbons that Step and Place
    // build from here on. The player hands it over at the start of its pass, as it stood
    // when the last picture was drawn.
    void SetHot(bool overheated) { hot = overheated; }
    // The model, the exhaust (unless aiming, flickering or warming up; in the overheat
    // texture when hot) and the flame. Changes nothing a pass reads but DrewTrail.
    void DrawFlame(bool aiming, bool hot, bool flicker);

    const Matrix& GetWorld() const { return world; }
    const Matrix& GetHistory(int index) const { return history[index]; }
    const Matrix& GetFlameMatrix() const { return flameMatrix; }
    bool IsWide() const { return wide; }
    int GetWarmUp() const { return warmUp; }
    float GetTrailAlpha() const { return trailAlpha; }
    // Whether the last DrawFlame drew the exhaust ribbons.
    bool DrewTrail() const { return drewTrail; }
    const std::array<Vertex, kHistory * 2>& GetRibbon(int which) const { return ribbons[which]; }

private:
    void BuildTrail();

    Matrix world;
    FwModel* engineModel = nullptr;  // cached, not owned
    std::array<Matrix, kHistory> history;
    std::array<std::array<Vertex, kHistory * 2>, 2> ribbons{};
    bool wide = false;
    int pulseCount = 0;
    Matrix previousParent;
    Matrix mount;
    Matrix flameMatrix;
    FwTexture* trailTexture = nullptr;  // cached, not owned
    FwTexture* hotTexture = nullptr;
    FwTexture* flameTexture = nullptr;
    std::unique_ptr<AdditiveBlend> blend;
    bool hot = false;
    bool keepLit = false;
    float trailAlpha = 1.0f;
    int warmUp = kWarmUp;
    bool drewTrail = false;
};
