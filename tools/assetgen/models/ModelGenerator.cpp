#include "ModelGenerator.h"

#include <functional>
#include <set>

#include "EnemyRobot.h"
#include "GltfWriter.h"
#include "PlayerRobot.h"
#include "ShipModels.h"
#include "WeaponModels.h"
#include "WorldModels.h"

namespace {

using modelgen::ModelData;
using modelgen::V3;

struct Entry {
    const char* path;
    std::function<ModelData()> build;
};

const std::vector<Entry>& Catalogue() {
    using namespace modelgen;
    // Stones reach 1.4 from their centre: drawn at scale 5 they fill their collision
    // radius of 7.
    static const std::vector<Entry> kEntries{
        {"player04/player04_4_body.gltf", PlayerRobot::Body},
        {"player04/player04_4_rightHand.gltf", PlayerRobot::RightHand},
        {"player04/player04_4_leftHand.gltf", PlayerRobot::LeftHand},
        {"player04/player04_4_rightThighs.gltf", PlayerRobot::RightThigh},
        {"player04/player04_4_leftThighs.gltf", PlayerRobot::LeftThigh},
        {"player04/player04_4_rightLeg.gltf", PlayerRobot::RightLeg},
        {"player04/player04_4_leftLeg.gltf", PlayerRobot::LeftLeg},
        {"player04/hitBox.gltf", PlayerRobot::HitBox},
        {"enemy04/enemy04 body.gltf", EnemyRobot::Body},
        {"enemy04/enemy04 rightHand.gltf", EnemyRobot::RightHand},
        {"enemy04/enemy04 leftHand.gltf", EnemyRobot::LeftHand},
        {"enemy04/enemy04 rightLeg.gltf", EnemyRobot::RightLeg},
        {"enemy04/enemy04 leftLeg.gltf", EnemyRobot::LeftLeg},
        {"ax/ax.gltf", WeaponModels::Axe},
        {"ax/flashAx.gltf", WeaponModels::FlashAxe},
        {"enemyAx/enemyAx.gltf", WeaponModels::EnemyAxe},
        {"gun01/gun01.gltf", WeaponModels::RailGun},
        {"cannon/cannon.gltf", WeaponModels::ShoulderCannon},
        {"thruster/thruster.gltf", WeaponModels::Thruster},
        {"Missile/Missile.gltf", WeaponModels::Missile},
        {"spaceBattleShip/battleShip.gltf", ShipModels::Hull},
        {"spaceBattleShip/hitBox.gltf", ShipModels::HitBox},
        {"spaceBattleShip/cannon.gltf", ShipModels::TurretBase},
        {"spaceBattleShip/cannon1.gltf", ShipModels::MainBarrel},
        {"spaceBattleShip/cannon2.gltf", ShipModels::SideBarrel},
        {"spaceBattleShip/cannonCover.gltf", ShipModels::Cover},
        {"stone/stone.gltf",
         [] {
             return WorldModels::Stone(101, V3{1.0f, 0.85f, 1.1f}, 1.4f);
         }},
        {"stone/stone2.gltf",
         [] {
             return WorldModels::Stone(202, V3{1.2f, 0.8f, 0.9f}, 1.4f);
         }},
        {"stone/stone3.gltf",
         [] {
             return WorldModels::Stone(303, V3{0.9f, 1.0f, 0.95f}, 1.4f);
         }},
        {"stone/fragment.gltf", WorldModels::Fragment},
        {"space/space.gltf", WorldModels::Space},
        {"satellite/satellite.gltf", WorldModels::Planet},
        {"title/title_player.gltf", WorldModels::TitlePlayer},
    };
    return kEntries;
}

}  // namespace

bool GenerateModels(const std::filesystem::path& outRoot, std::string& error) {
    std::set<std::string> written;
    for (const Entry& e : Catalogue()) {
        ModelData model = e.build();
        if (!modelgen::GltfWriter::Write(model, outRoot / "Data" / e.path, written, error)) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> ModelFilePaths() {
    std::vector<std::string> paths;
    for (const Entry& e : Catalogue()) paths.push_back(std::string("Data/") + e.path);
    return paths;
}

bool GenerateAssembledRobots(const std::filesystem::path& dir, std::string& error) {
    std::set<std::string> written;
    return modelgen::GltfWriter::Write(modelgen::PlayerRobot::Assembled(true),
                                       dir / "player_rest.gltf", written, error) &&
           modelgen::GltfWriter::Write(modelgen::EnemyRobot::Assembled(), dir / "enemy_rest.gltf",
                                       written, error);
}
