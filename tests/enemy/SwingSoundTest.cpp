// The axe's strike sound is placed where the swing happens, not at the rest pose's local
// offset (which lies near the world origin and pulls the sound toward it).
#include <gtest/gtest.h>

#include "enemy/InGame.h"
#include "support/Voices.h"

TEST(SwingSound, TheRobotsStrikeSoundsAtTheRobot) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        EnemyWorld::PlaceEnemy(enemy, {120, 3, -150});
        w.PlacePlayer({120, 4, -153});
        enemy.SetAttackRequest(true);
        const FwSoundInstance* strike = nullptr;
        Vector3 robotAtStrike;
        for (int pass = 0; pass < 200 && !strike; ++pass) {
            w.Pass(enemy);
            strike = FindVoice("Data/sound/attack.wav");
            robotAtStrike = enemy.GetWorld().Translation();
        }
        ASSERT_NE(strike, nullptr) << "the robot never struck";
        EXPECT_TRUE(strike->Is3D());
        // The hand's rest offset from the body is about 1.3.
        EXPECT_LT(Vector3::Distance(strike->GetEmitterPosition(), robotAtStrike), 2.0f)
            << "strike at " << strike->GetEmitterPosition().x << ", "
            << strike->GetEmitterPosition().y << ", " << strike->GetEmitterPosition().z;
    });
}
