#include "AssetGenerator.h"
#include "audio/SoundEffects.h"
#include "audio/Themes.h"

// Each file's loudness is chosen with the volume the game plays it at (music 0.03, most
// effects 0.1, the engine hum and the overheat alarm 0.03, the dying siren 0.2), so that at
// the audio engine's calibrated master gain the mix is balanced near -23 LUFS. In play
// (file loudness + volume + 21.5 dB: the listener gain of +22.9 dB less the 1.4 dB that
// OpenAL Soft's panning takes from a voice in the middle of the stereo pair):
//   title and game-over music            -23 LUFS
//   battle music                         -26.5 (the fight's effects lift the whole to -23)
//   shots, hits, blasts                  -26 to -24 while they sound; their peaks stay far
//                                        enough under full scale to pile up
//   swing, weapon switch, start chime    -28 to -26.5
//   the dying siren, the overheat alarm  -20 and -26: urgent, short
//   the engine hum, the cannons' charge  -31 and -34: steady loops that must not bury the
//                                        music (they run for most of a battle)
// A file whose peak would pass -1 dBFS at its target stays quieter instead.
std::vector<SoundRecipe> SoundRecipes() {
    return {
        {"Data/sound/attack.wav", MakeSwing, -29.5},
        {"Data/sound/attackHit.wav", MakeAxeImpact, -27.5},
        {"Data/sound/bulletHit.wav", MakeBulletImpact, -27.5},
        {"Data/sound/gun.wav", MakeRailgunShot, -27.5},
        {"Data/sound/weapon.wav", MakeWeaponSwitch, -31.0},
        {"Data/sound/start.wav", MakeStartChime, -28.0},
        {"Data/sound/explosion3.wav", MakeSmallExplosion, -26.5},
        {"Data/sound/deadBom.wav", MakeLargeExplosion, -25.5},
        {"Data/sound/charge.wav", MakeChargeLoop, -35.5},
        {"Data/sound/thruster.wav", MakeThrusterLoop, -22.0},
        {"Data/sound/signal.wav", MakeOverheatAlarm, -17.0},
        {"Data/sound/dead.wav", MakeDyingAlarm, -27.5},
        {"Data/sound/title.wav", [] { return RenderSong(TitleTheme(), 301); }, -14.0},
        {"Data/sound/battle.wav", [] { return RenderSong(BattleTheme(), 302); }, -17.5},
        {"Data/sound/gameover.wav", [] { return RenderSong(GameoverTheme(), 303); }, -14.0},
    };
}
