#include "AssetGenerator.h"
#include "audio/SoundEffects.h"
#include "audio/Themes.h"

std::vector<SoundRecipe> SoundRecipes() {
    return {
        {"Data/sound/attack.wav", MakeSwing},
        {"Data/sound/attackHit.wav", MakeAxeImpact},
        {"Data/sound/bulletHit.wav", MakeBulletImpact},
        {"Data/sound/gun.wav", MakeRailgunShot},
        {"Data/sound/weapon.wav", MakeWeaponSwitch},
        {"Data/sound/start.wav", MakeStartChime},
        {"Data/sound/explosion3.wav", MakeSmallExplosion},
        {"Data/sound/deadBom.wav", MakeLargeExplosion},
        {"Data/sound/charge.wav", MakeChargeLoop},
        {"Data/sound/thruster.wav", MakeThrusterLoop},
        {"Data/sound/signal.wav", MakeOverheatAlarm},
        {"Data/sound/dead.wav", MakeDyingAlarm},
        {"Data/sound/title.wav", [] { return RenderSong(TitleTheme(), 301); }},
        {"Data/sound/battle.wav", [] { return RenderSong(BattleTheme(), 302); }},
        {"Data/sound/gameover.wav", [] { return RenderSong(GameoverTheme(), 303); }},
    };
}
