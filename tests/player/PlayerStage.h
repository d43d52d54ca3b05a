#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/SceneBase.h"
#include "engine/math/Matrix.h"
#include "game/enemy/Enemy.h"
#include "game/player/Player.h"
#include "support/GameHarness.h"

class BattleShip;
class EnemyManager;

// A battle reduced to what the player meets: the player, robots and stones placed by the
// test (standing still: their own updates do not run), optionally the battleship and an
// enemy manager whose robots do run. Runs inside the real loop, so the graphics device,
// the caches with the generated assets and the null audio device are live.
class PlayerStage : public SceneBase {
public:
    struct Options {
        bool ship = false;
        // Runs an EnemyManager (it needs the ship) whose robots act on their own.
        bool liveEnemies = false;
        // Draws the world and the player (screenshots); off keeps logic runs fast.
        bool draw = false;
    };

    explicit PlayerStage(const Options& options);
    ~PlayerStage() override;

    void Update() override;
    void SetCamera() override;
    void Draw() override;

    // A standing robot at (x, 3, z) facing -z, added to the player's enemy list.
    Enemy* AddEnemy(float x, float z);
    // A stone at position (radius 7).
    Stone* AddStone(const Vector3& position);
    EnemyList& Enemies();

    Player& GetPlayer() { return *player; }
    BattleShip* GetShip() { return ship.get(); }
    EnemyManager* GetManager() { return manager.get(); }
    int GetPass() const { return pass; }
    // The stage drops its objects at the end of this pass, while the graphics context
    // still exists (the harness closes the window before the scene is deleted).
    void SetLastPass(int last) { lastPass = last; }

    // Camera angles handed to Player::Update (degrees); yaw is written back by the
    // lock-on turn, as the battle scene does.
    float pitch = 0.0f;
    float yaw = 0.0f;
    bool deathViewDone = false;
    // Called with the pass number (1-based) before and after the player's update.
    std::function<void(PlayerStage&, int)> beforeUpdate;
    std::function<void(PlayerStage&, int)> afterUpdate;
    // With Options::draw, which passes are drawn (all when empty): drawing on llvmpipe is
    // slow, and most runs only need a few pictures.
    std::function<bool(int)> drawPass;
    // Called after the pass is drawn, before the picture is shown.
    std::function<void(PlayerStage&, int)> afterDraw;

private:
    Options options;
    std::unique_ptr<Player> player;
    EnemyList standing;
    std::vector<std::unique_ptr<Stone>> stones;
    std::vector<Stone*> stoneView;
    std::unique_ptr<BattleShip> ship;
    std::unique_ptr<EnemyManager> manager;
    int pass = 0;
    int lastPass = -1;
};

// Runs a stage for `passes` passes in a fresh harness. setUp runs right after the stage is
// built (inside the loop, with the device live); script gives the input of each pass.
void RunStage(uint64_t passes, const PlayerStage::Options& options,
              const std::function<void(PlayerStage&)>& setUp,
              const std::function<PassInput(uint64_t)>& script);

// Input for one pass holding keys (virtual-key codes).
PassInput Keys(std::initializer_list<int> keys);

// Where screenshots go: the test data folder (the build folder) or the working directory.
std::string ScreenshotPath(const std::string& name);
