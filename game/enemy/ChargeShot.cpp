#include "game/enemy/ChargeShot.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "engine/audio/SoundCache.h"
#include "game/effects/EnergyMote.h"
#include "game/effects/Explosion.h"
#include "game/player/Bullet.h"
#include "game/player/BulletTrail.h"
#include "game/player/Player.h"
#include "game/world/Stone.h"

namespace {

constexpr float kFactorDecay = 0.01f;  // size factor lost per pass of flight
constexpr float kBurstHalfSize = 5.0f;
constexpr int kBurstFrames = 64;
constexpr int kRingStep = 36;  // degrees between ring bullets
constexpr int kCannonHitDamage = 200;
constexpr int kEnemyTrailTexture = 0;

}  // namespace

ChargeShot::ChargeShot(const Matrix& start, int kind)
    : matrix(start), kind(kind), sizeFactor(static_cast<float>(std::rand() % 100 + 100) / 100.0f) {
    for (int i = 0; i < kMotes; ++i) motes.push_back(std::make_unique<EnergyMote>(matrix));
}

ChargeShot::~ChargeShot() = default;

const Bullet* ChargeShot::GetBullet(int index) const {
    return shots[index].bullet.get();
}

bool ChargeShot::Update(Player& player, const StoneList& stones) {
    switch (phase) {
        case Phase::Charging:
            UpdateMotes();
            if (++chargeCount >= kChargePasses) {
                phase = Phase::Flying;
                PlaySound3DOnce("Data/sound/gun.wav", matrix.Translation(), 0.1f, false, FLT_MAX);
            }
            return true;
        case Phase::Flying:
            Fly(player.GetWorld().Translation());
            return true;
        case Phase::Burst:
            UpdateBurst(player, stones);
            return explosion != nullptr || !shots.empty();
    }
    return false;
}

void ChargeShot::UpdateMotes() {
    const float size = sizeFactor;
    for (auto& mote : motes) {
        mote->Update(size);
        // A faded mote is renewed at the ball, so the ball keeps glowing while it charges.
        if (!mote->IsAlive()) mote = std::make_unique<EnergyMote>(matrix);
    }
}

void ChargeShot::Fly(const Vector3& target) {
    if (phase != Phase::Flying) return;
    const float f = sizeFactor;
    matrix = Matrix::CreateTranslation(0.0f, f, -std::abs(f)) * matrix;
    if (f < 0.0f && kind == 2) {
        // Homing while falling: a horizontal step toward the target and a second fall step.
        Vector3 at = matrix.Translation();
        const Vector3 to = target - at;
        const float d = to.Length();
        if (d > 0.0f) at += Vector3(to.x / d, f, to.z / d);
        matrix = Matrix::CreateTranslation(at);
    }
    sizeFactor -= kFactorDecay;
    if (matrix.Translation().y < kBurstHeight) Burst();
}

void ChargeShot::Burst() {
    phase = Phase::Burst;
    const Vector3 at = matrix.Translation();
    PlaySound3DOnce("Data/sound/deadBom.wav", at, 0.1f, false, 30.0f);
    explosion = std::make_unique<Explosion>(matrix);
    motes.clear();
    const int first = std::rand() % 36;
    for (int i = 0; i < kRingBullets; ++i) {
        const float yaw = ToRadians(static_cast<float>(first + i * kRingStep));
        const Matrix start =
            Matrix::CreateRotationY(yaw) * Matrix::CreateTranslation(at.x, kRingHeight, at.z);
        const Vector3 direction(std::sin(yaw), 0.0f, std::cos(yaw));
        shots.push_back(
            {std::make_unique<Bullet>(start, direction), std::make_unique<BulletTrail>(start)});
    }
}

void ChargeShot::UpdateBurst(Player& player, const StoneList& stones) {
    if (explosion && (explosionFrame = explosion->Update(kBurstHalfSize)) > kBurstFrames)
        explosion.reset();

    for (std::size_t i = 0; i < shots.size();) {
        Bullet& bullet = *shots[i].bullet;
        bullet.Advance();
        bullet.TestTarget(player.GetWorld(), Bullet::kRobotAlt);
        if (bullet.GetDamage() != 0) player.SetCannonHit(kCannonHitDamage);
        bool stoneHit = false;
        for (Stone* stone : stones) {
            bullet.TestTarget(stone->GetMatrix(), Bullet::kStone);
            if (bullet.IsStoneHit()) {
                stone->SetHit(true);
                stoneHit = true;
                break;
            }
        }
        shots[i].trail->Update(bullet.GetMatrix());
        if (stoneHit || bullet.GetAge() > Bullet::kMaxAge) {
            shots.erase(shots.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }
}

void ChargeShot::Draw() {
    if (phase == Phase::Charging)
        for (auto& mote : motes) mote->Draw();
    if (explosion) explosion->Draw();
    for (auto& shot : shots) shot.trail->Draw(kEnemyTrailTexture);
}
