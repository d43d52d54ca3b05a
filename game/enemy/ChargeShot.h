#pragma once

#include <array>
#include <memory>
#include <vector>

#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"
#include "game/enemy/Enemy.h"

class BattleShip;
class Bullet;
class BulletTrail;
class EnergyMote;
class Explosion;
class Player;

// A side cannon's shot: a ball of energy motes that charges for 300 passes, then climbs,
// drifts and falls (kind 2 homing on the player while it falls) and bursts below height 1
// into a ring of ten bullets. Each bullet that reaches the player hands it 200 damage as a
// cannon hit. Owned by its cannon; finished when the burst's explosion and bullets are gone.
class ChargeShot {
public:
    static constexpr int kChargePasses = 300;
    static constexpr int kMotes = 10;
    static constexpr int kRingBullets = 10;
    static constexpr float kBurstHeight = 1.0f;
    static constexpr float kRingHeight = 4.0f;

    enum class Phase { Charging, Flying, Burst };

    // start: where the ball forms (its own frame); kind 1 or 2. Draws the size factor.
    ChargeShot(const Matrix& start, int kind);
    ~ChargeShot();
    ChargeShot(const ChargeShot&) = delete;
    ChargeShot& operator=(const ChargeShot&) = delete;

    // One pass. Returns false once finished.
    bool Update(Player& player, const StoneList& stones);
    // Flight only (after charging): the move rule toward target, and the burst check.
    void Fly(const Vector3& target);
    // Motes (while charging), the ball in flight, the burst explosion and bullets.
    void Draw();

    Phase GetPhase() const { return phase; }
    bool IsCharging() const { return phase == Phase::Charging; }
    const Matrix& GetMatrix() const { return matrix; }
    float GetSizeFactor() const { return sizeFactor; }
    int GetBulletCount() const { return static_cast<int>(shots.size()); }
    const Bullet* GetBullet(int index) const;

private:
    struct Shot {
        std::unique_ptr<Bullet> bullet;
        std::unique_ptr<BulletTrail> trail;
    };

    void UpdateMotes();
    void Burst();
    void UpdateBurst(Player& player, const StoneList& stones);

    Matrix matrix;
    int kind;
    float sizeFactor;
    Phase phase = Phase::Charging;
    int chargeCount = 0;
    std::vector<std::unique_ptr<EnergyMote>> motes;
    std::unique_ptr<Explosion> explosion;
    int explosionFrame = 0;
    std::vector<Shot> shots;
};
