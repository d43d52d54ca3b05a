#include "game/enemy/EnemyManager.h"

#include <algorithm>

#include "game/enemy/BattleShip.h"
#include "game/world/Stone.h"

EnemyManager::EnemyManager(const BattleShip& ship) {
    enemies.push_back(std::make_unique<Enemy>(ship.GetWorld()));
    spawnedCount = 1;
}

EnemyManager::~EnemyManager() = default;

void EnemyManager::Update(Player& player, StoneField*, const StoneList& stones, BattleShip& ship) {
    if (static_cast<int>(enemies.size()) < kMaxEnemies && ship.GetLaunchFlag()) {
        enemies.push_back(std::make_unique<Enemy>(ship.GetWorld()));
        ++spawnedCount;
    }

    for (auto& enemy : enemies) enemy->Update(player, stones, ship, *this);

    if (!enemies.empty()) {
        for (std::size_t i = 0; i < enemies.size(); ++i)
            for (std::size_t j = 0; j < i; ++j)
                query.SeparateSpheres(enemies[i].get(), enemies[j].get());
        for (auto& enemy : enemies)
            for (Stone* stone : stones) query.SeparateSpheres(enemy.get(), stone);
    }

    std::erase_if(enemies, [](const std::unique_ptr<Enemy>& e) { return !e->IsAlive(); });

    attackEnergy = std::min(attackEnergy + 1, kMaxAttackEnergy);
    enemyRemoved = false;
    if (static_cast<int>(enemies.size()) < spawnedCount) {
        spawnedCount = static_cast<int>(enemies.size());
        enemyRemoved = true;
    }
}

void EnemyManager::Draw() {
    for (auto& enemy : enemies) enemy->Draw();
    for (auto& enemy : enemies) enemy->DrawHpGauge();
}
