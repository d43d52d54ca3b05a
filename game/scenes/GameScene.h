#pragma once

#include <memory>

#include "app/SceneBase.h"
#include "engine/graphics/FwTexture.h"
#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"

class BattleShip;
class Camera;
class EnemyManager;
class Player;
class Sky;
class Earth;
class StoneField;
class ParticleField;
class ShootingStars;
class Mob;
class FwSoundInstance;

// The battle: builds the world, runs it in a fixed order, draws it, shakes or smears the
// picture while the player is hit or the battleship breaks up, and ends in the game-over
// scene (player dead) or, after a 101-pass fade, in the clear scene (battleship gone).
// Owns every object of the battle; the cursor is captured while it lives.
class GameScene : public SceneBase {
public:
    GameScene();
    ~GameScene() override;

    // A pass takes one of three forms, chosen before the update: smear (battleship
    // breaking up), shake (player hit) or plain. A shaken or smeared pass draws its
    // offset in the pass itself, so the random sequence is the same drawn or not.
    void Advance() override;
    // The picture of the last pass, in that pass's form.
    void Render() override;
    void Update() override;
    void Draw() override;
    void SetCamera() override;
    bool CanPause() const override { return true; }

    enum class FrameForm { Normal, Shake, Smear };
    // The form the flags select: breaking up wins over the player's hit.
    static FrameForm SelectFrameForm(bool shipBreakingUp, bool playerHit);
    FrameForm GetLastFrameForm() const { return lastForm; }
    // Vertical offset of the last shaken or smeared picture, pixels (−5..5).
    int GetLastShake() const { return lastShake; }

    // Which scene the battle has asked for, if any.
    enum class Outcome { None, GameOver, Clear };
    Outcome GetOutcome() const { return outcome; }

    float GetFade() const { return fade; }
    Camera* GetCamera() const { return camera.get(); }
    Player* GetPlayer() const { return player.get(); }
    EnemyManager* GetEnemies() const { return enemies.get(); }
    BattleShip* GetBattleShip() const { return battleShip.get(); }
    StoneField* GetStones() const { return stones.get(); }
    ShootingStars* GetShootingStars() const { return shootingStars.get(); }
    Mob* GetMob() const { return mob.get(); }
    ParticleField* GetParticles() const { return particles.get(); }
    // Effect draw calls of the last Draw, for the benchmark.
    int GetLastEffectDraws() const { return lastEffectDraws; }

protected:
    // The flags that steer the battle and choose the frame form (virtual so tests can
    // force them). A missing battleship counts as alive and not breaking up.
    virtual bool IsBattleShipAlive() const;
    virtual bool IsBattleShipBreakingUp() const;
    virtual bool IsPlayerHit() const;

private:
    void RequestGameOver();
    void RequestClear();
    void RenderOffscreen();
    void PresentShaken(float alpha);

    std::unique_ptr<Camera> camera;
    std::unique_ptr<Player> player;
    std::unique_ptr<EnemyManager> enemies;
    std::unique_ptr<BattleShip> battleShip;
    std::unique_ptr<Sky> sky;
    std::unique_ptr<Earth> earth;
    std::unique_ptr<StoneField> stones;
    std::unique_ptr<ParticleField> particles;
    std::unique_ptr<ShootingStars> shootingStars;
    std::unique_ptr<Mob> mob;
    std::shared_ptr<FwSoundInstance> bgm;
    FwTexture* fadeTexture = nullptr;  // owned by the texture cache
    Matrix fadeMatrix;
    float fade = 0.0f;
    FwTexture sceneTarget;
    FwTexture sceneDepth;
    FrameForm lastForm = FrameForm::Normal;
    int lastShake = 0;
    Outcome outcome = Outcome::None;
    int lastEffectDraws = 0;
};
