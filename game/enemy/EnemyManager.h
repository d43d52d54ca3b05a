#pragma once

#include <memory>
#include <vector>

#include "engine/graphics/CollisionQuery.h"
#include "game/enemy/Enemy.h"

class BattleShip;
class Player;
class StoneField;

// Owns the live enemy robots, launches new ones from the battleship (at most kMaxEnemies
// at a time), keeps them apart from each other and from the stones, removes the dead, and
// holds the attack energy that every robot's swing and volley spend. Owned by the battle
// scene.
class EnemyManager {
public:
    static constexpr int kMaxEnemies = 5;
    static constexpr int kMaxAttackEnergy = 2000;

    // Launches the first robot at once.
    explicit EnemyManager(const BattleShip& ship);
    ~EnemyManager();
    EnemyManager(const EnemyManager&) = delete;
    EnemyManager& operator=(const EnemyManager&) = delete;

    // One pass: launch, robot updates, separation, removal, energy refill and the
    // enemy-removed flag. `field` is the stones' owner; `stones` its stone list.
    void Update(Player& player, StoneField* field, const StoneList& stones, BattleShip& ship);
    // Every robot, then every robot's HP gauge.
    void Draw();

    int GetAttackEnergy() const { return attackEnergy; }
    void SpendAttackEnergy(int amount) { attackEnergy -= amount; }
    // True for the pass in which at least one robot was removed (wakes the ship's cannons).
    bool IsEnemyRemoved() const { return enemyRemoved; }
    int GetSpawnedCount() const { return spawnedCount; }

    // The live robots, handed to the player (hits, lock-on) and the battleship.
    EnemyList& GetEnemies() { return enemies; }
    const EnemyList& GetEnemies() const { return enemies; }

private:
    EnemyList enemies;
    CollisionQuery query;
    int attackEnergy = kMaxAttackEnergy;
    int spawnedCount = 0;
    bool enemyRemoved = false;
};
