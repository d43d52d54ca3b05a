#include "support/GameDigest.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "app/SceneManager.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/BattleShipCannon.h"
#include "game/enemy/Enemy.h"
#include "game/enemy/EnemyManager.h"
#include "game/player/Player.h"
#include "game/player/Thruster.h"
#include "game/scenes/Camera.h"
#include "game/scenes/Clear.h"
#include "game/scenes/GameScene.h"
#include "game/scenes/Gameover.h"
#include "game/scenes/Title.h"
#include "game/world/Stone.h"
#include "game/world/StoneField.h"

namespace {

// FNV-1a over the bytes of what is added.
class Hasher {
public:
    void Bytes(const void* data, size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) {
            value ^= p[i];
            value *= 1099511628211ull;
        }
    }
    template <typename T>
    void Add(const T& v) {
        Bytes(&v, sizeof v);
    }
    void Add(const Matrix& m) {
        for (int r = 0; r < 4; ++r) {
            const Vector4 row = m.Row(r);
            Add(row.x);
            Add(row.y);
            Add(row.z);
            Add(row.w);
        }
    }
    uint64_t Get() const { return value; }

private:
    uint64_t value = 14695981039346656037ull;
};

// Where rand() stands, without drawing from it: glibc lets the generator's state be
// swapped out and back in, and the state swapped out records its position.
void AddRandomState(Hasher& hash) {
#if defined(__GLIBC__)
    alignas(int32_t) static char probe[128];
    static bool probeReady = false;
    if (!probeReady) {
        // initstate makes its buffer current: take the game's state back at once.
        char* game = initstate(1, probe, sizeof probe);
        setstate(game);
        probeReady = true;
    }
    char* game = setstate(probe);
    // The default generator's state: the word that records its type and position, then
    // 31 words of numbers.
    hash.Bytes(game, 32 * sizeof(int32_t));
    setstate(game);
#else
    (void)hash;  // other C libraries keep rand()'s state out of reach
#endif
}

void AddBattle(Hasher& hash, const GameScene& battle) {
    hash.Add(static_cast<int>(battle.GetLastFrameForm()));
    hash.Add(battle.GetLastShake());
    hash.Add(static_cast<int>(battle.GetOutcome()));
    hash.Add(battle.GetFade());
    if (const Camera* camera = battle.GetCamera()) {
        hash.Add(camera->GetYaw());
        hash.Add(camera->GetPitch());
        hash.Add(camera->GetView());
    }
    if (const Player* player = battle.GetPlayer()) {
        hash.Add(player->GetWorld());
        hash.Add(player->GetHp());
        hash.Add(player->GetEnergy());
        hash.Add(player->IsOverheated());
        hash.Add(player->GetWeaponIndex());
        hash.Add(player->IsAlive());
        hash.Add(player->GetDeathTimer());
        hash.Add(static_cast<int>(player->GetBullets().size()));
        for (int side = 0; side < 2; ++side) {
            if (const Thruster* thruster = player->GetThruster(side)) {
                for (const EffectVertex& v : thruster->GetRibbon(0)) hash.Add(v.position);
            }
        }
    }
    if (const EnemyManager* enemies = battle.GetEnemies()) {
        hash.Add(enemies->GetSpawnedCount());
        for (const auto& enemy : enemies->GetEnemies()) {
            hash.Add(enemy->GetWorld());
            hash.Add(enemy->GetHp());
            hash.Add(enemy->IsAlive());
        }
    }
    if (const BattleShip* ship = battle.GetBattleShip()) {
        hash.Add(ship->IsAlive());
        hash.Add(ship->IsBreakingUp());
        hash.Add(ship->GetLaunchTimer());
        hash.Add(ship->GetWorld());
        for (const auto& cannon : ship->GetCannons()) {
            hash.Add(cannon->GetHp());
            hash.Add(cannon->IsAwake());
            hash.Add(cannon->GetMissileCount());
            hash.Add(cannon->GetChargeShotCount());
        }
    }
    if (const StoneField* stones = battle.GetStones()) {
        for (const auto& stone : stones->GetStoneList()) hash.Add(stone->GetBaseMatrix());
        hash.Add(static_cast<int>(stones->GetFragments().size()));
    }
}

}  // namespace

uint64_t DigestGame() {
    Hasher hash;
    SceneBase* scene = SceneManager::GetInstance().GetCurrent();
    if (const auto* title = dynamic_cast<const Title*>(scene)) {
        hash.Add(1);
        hash.Add(title->GetRobotMatrix());
        hash.Add(title->GetFade());
        hash.Add(title->IsStarted());
    } else if (const auto* battle = dynamic_cast<const GameScene*>(scene)) {
        hash.Add(2);
        AddBattle(hash, *battle);
    } else if (const auto* clear = dynamic_cast<const Clear*>(scene)) {
        hash.Add(3);
        hash.Add(clear->GetFade());
    } else if (const auto* gameover = dynamic_cast<const Gameover*>(scene)) {
        hash.Add(4);
        hash.Add(gameover->GetFade());
        hash.Add(gameover->GetPassCount());
        hash.Add(gameover->GetCaptionY());
    } else {
        hash.Add(0);
    }
    AddRandomState(hash);
    return hash.Get();
}

std::string FormatDigests(const std::vector<uint64_t>& digests) {
    std::string text;
    char line[24];
    for (uint64_t d : digests) {
        std::snprintf(line, sizeof line, "%016" PRIx64 "\n", d);
        text += line;
    }
    return text;
}

bool ParseDigests(const std::string& text, std::vector<uint64_t>& digests) {
    digests.clear();
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.size() != 16 || line.find_first_not_of("0123456789abcdef") != std::string::npos)
            return false;
        digests.push_back(std::strtoull(line.c_str(), nullptr, 16));
    }
    return true;
}
