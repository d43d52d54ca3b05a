#include "AssetGenerator.h"
#include "images/EffectImages.h"
#include "images/HudImages.h"
#include "images/ResultImages.h"
#include "images/SheetImages.h"
#include "images/TitleImages.h"

namespace {

ImageRecipe Plain(const char* path, Canvas (*make)()) {
    return {path, [make](const FontSet&) { return make(); }};
}

ImageRecipe Lettered(const char* path, Canvas (*make)(const FontSet&)) {
    return {path, [make](const FontSet& fonts) { return make(fonts); }};
}

}  // namespace

std::vector<ImageRecipe> ImageRecipes() {
    return {
        Lettered("Data/title/click.png", MakeClickPrompt),
        Lettered("Data/title/title4.png", MakeTitleLogo),
        Lettered("Data/title/title5.png", MakeTitleBanner),
        Plain("Data/tex/black.png", MakeBlack),
        Lettered("Data/tex/clear.png", MakeClearCaption),
        Plain("Data/tex/clearPlayer2.png", MakeClearPicture),
        Lettered("Data/tex/gameover.png", MakeGameoverCaption),
        Plain("Data/tex/gameoverPlayer.png", MakeGameoverPicture),
        Plain("Data/tex/hpgauge.png", MakeHpFrame),
        {"Data/tex/hpgaugeG.png",
         [](const FontSet&) {
             return MakeHpFill({0.25f, 0.9f, 0.35f, 1});
         }},
        {"Data/tex/hpgaugeY.png",
         [](const FontSet&) {
             return MakeHpFill({1.0f, 0.8f, 0.15f, 1});
         }},
        {"Data/tex/hpgaugeR.png",
         [](const FontSet&) {
             return MakeHpFill({1.0f, 0.2f, 0.15f, 1});
         }},
        Lettered("Data/tex/playerchar.png", MakePortrait),
        Plain("Data/tex/gauge.png", MakeEnergyFrame),
        Plain("Data/tex/ingauge.png", MakeEnergyFill),
        Lettered("Data/tex/overHeat.png", MakeOverheatLabel),
        Plain("Data/tex/line.png", MakeCostMarker),
        Plain("Data/aim/aim.png", MakeReticle),
        {"Data/tex/bullet2.png", [](const FontSet&) { return MakeTrail(false); }},
        {"Data/tex/bullet3.png", [](const FontSet&) { return MakeTrail(true); }},
        Plain("Data/effect/bull.png", MakeThrusterFlame),
        {"Data/thruster/exhaust.png", [](const FontSet&) { return MakeExhaust(false); }},
        {"Data/thruster/exhaust_hot.png", [](const FontSet&) { return MakeExhaust(true); }},
        {"Data/effect/jet.bmp", [](const FontSet&) { return MakeSlash(true); }},
        {"Data/effect/jet2.png", [](const FontSet&) { return MakeSlash(false); }},
        Plain("Data/effect/flashAx.png", MakeAxeFlash),
        Plain("Data/effect/test.png", MakeSpeedDot),
        Plain("Data/effect/rock.png", MakeRockMote),
        Plain("Data/effect/energyBullet.png", MakeEnergyMote),
        Plain("Data/effect/muzzle.png", MakeMuzzleFlash),
        {"Data/effect/playerEffect.png", [](const FontSet&) { return MakeSpark(false); }},
        {"Data/effect/enemyEffect.png", [](const FontSet&) { return MakeSpark(true); }},
        Plain("Data/spaceBattleShip/maru.png", MakeShockwave),
        Plain("Data/effect/expAnime.png", MakeExplosionSheet),
        Plain("Data/effect/attack2.png", MakeHitFlashSheet),
    };
}
