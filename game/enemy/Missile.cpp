#include "game/enemy/Missile.h"

#include <algorithm>
#include <cmath>

#include "engine/audio/SoundCache.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/MissileTrail.h"
#include "game/player/Player.h"
#include "game/world/Stone.h"

namespace {

constexpr float kSpeed = 1.0f;      // world units per pass
constexpr float kMaxTurn = 3.0f;    // degrees per pass
constexpr float kHullRange = 1.0f;  // world units ahead
constexpr int kCannonHitDamage = 200;

}  // namespace

Missile::Missile(const Matrix& start)
    : matrix(start),
      model(GetModel("Data/Missile/Missile.gltf")),
      trail(std::make_unique<MissileTrail>(start)) {
    PlaySound3DOnce("Data/sound/gun.wav", matrix.Translation(), 0.1f, false, 50.0f);
}

Missile::~Missile() = default;

void Missile::Fly(const Vector3& target) {
    matrix = Matrix::CreateTranslation(0.0f, 0.0f, kSpeed) * matrix;
    if (steeringCounter > 0) {
        // The turn happens in the missile's own frame, so it rolls and pitches as well.
        const Vector3 t = Vector3::Transform(target, matrix.Invert());
        const Vector3 axis(-t.y, t.x, 0.0f);
        const float angle = std::min(
            ToDegrees(
                std::acos(std::clamp(t.Normalized().Dot(Vector3(0.0f, 0.0f, 1.0f)), -1.0f, 1.0f))),
            kMaxTurn);
        if (axis.LengthSquared() > 0.0f)
            matrix = Matrix::CreateFromAxisAngle(axis.Normalized(), ToRadians(angle)) * matrix;
    }
    --steeringCounter;
    if (steeringCounter < kLastCounter) alive = false;
}

bool Missile::Update(Player& player, const BattleShip* ship, const StoneList& stones) {
    Fly(player.GetWorld().Translation());
    trail->Update(matrix);
    if (!alive) return false;

    if (HitTest(matrix, player.GetWorld()) != 0) {
        player.SetCannonHit(kCannonHitDamage);
        alive = false;
        return false;
    }
    for (Stone* stone : stones) {
        if (NearTest(matrix, stone->GetMatrix())) {
            stone->SetHit(true);
            alive = false;
            return false;
        }
    }
    if (ship) {
        const Vector4 row = matrix.Row(2);
        const Vector3 forward = Vector3(row.x, row.y, row.z).Normalized();
        Vector3 normal;
        float distance = 0.0f;
        if (query.RayToModel(ship->GetHitModel(), ship->GetWorld(), matrix.Translation(), forward,
                             normal, distance) &&
            distance < kHullRange) {
            alive = false;
            return false;
        }
    }
    return true;
}

int Missile::HitTest(const Matrix& missile, const Matrix& target) {
    return Vector3::Distance(missile.Translation(), target.Translation()) < kHitRange
               ? kCannonHitDamage
               : 0;
}

bool Missile::NearTest(const Matrix& missile, const Matrix& target) {
    return Vector3::Distance(missile.Translation(), target.Translation()) < kNearRange;
}

void Missile::Draw() {
    ShaderManager::GetInstance().GetModelShader().SetWorld(matrix);
    DrawModel(model, 1.0f);
    trail->Draw();
}
