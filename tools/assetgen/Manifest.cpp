#include "Manifest.h"

#include "text/GlyphAtlas.h"

namespace {

ManifestEntry Image(const char* path, int w, int h) {
    return {path, AssetKind::Image, w, h, 0, 0};
}

ManifestEntry Sfx(const char* path, AssetKind kind, double lo, double hi) {
    return {path, kind, 0, 0, lo, hi};
}

ManifestEntry Model(const char* path) {
    return {path, AssetKind::Model, 0, 0, 0, 0};
}

std::vector<ManifestEntry> Build() {
    return {
        // Title and result screens.
        Image("Data/title/click.png", 792, 161),
        Image("Data/title/title4.png", 285, 102),
        Image("Data/title/title5.png", 422, 101),
        Image("Data/tex/black.png", 16, 16),
        Image("Data/tex/clear.png", 295, 90),
        Image("Data/tex/clearPlayer2.png", 1280, 817),
        Image("Data/tex/gameover.png", 266, 90),
        Image("Data/tex/gameoverPlayer.png", 1195, 672),
        // HUD.
        Image("Data/tex/hpgauge.png", 189, 20),
        Image("Data/tex/hpgaugeG.png", 189, 20),
        Image("Data/tex/hpgaugeY.png", 189, 20),
        Image("Data/tex/hpgaugeR.png", 189, 20),
        Image("Data/tex/playerchar.png", 130, 80),
        Image("Data/tex/gauge.png", 100, 50),
        Image("Data/tex/ingauge.png", 100, 50),
        Image("Data/tex/overHeat.png", 532, 150),
        Image("Data/tex/line.png", 100, 100),
        Image("Data/aim/aim.png", 64, 64),
        // Ribbons and glows.
        Image("Data/tex/bullet2.png", 64, 128),
        Image("Data/tex/bullet3.png", 64, 128),
        Image("Data/effect/bull.png", 128, 128),
        Image("Data/thruster/exhaust.png", 64, 128),
        Image("Data/thruster/exhaust_hot.png", 64, 128),
        {"Data/effect/jet.bmp", AssetKind::Bitmap, 256, 64, 0, 0},
        Image("Data/effect/jet2.png", 256, 64),
        Image("Data/effect/flashAx.png", 128, 160),
        Image("Data/effect/test.png", 32, 32),
        Image("Data/effect/rock.png", 64, 64),
        Image("Data/effect/energyBullet.png", 64, 64),
        Image("Data/effect/muzzle.png", 128, 128),
        Image("Data/effect/playerEffect.png", 128, 128),
        Image("Data/effect/enemyEffect.png", 128, 128),
        Image("Data/spaceBattleShip/maru.png", 256, 256),
        // Sprite sheets: 32-pixel cells, 8 x 9 (frames 0..64); 120-pixel cells, 8 x 8.
        Image("Data/effect/expAnime.png", 256, 288),
        Image("Data/effect/attack2.png", 960, 960),
        // Sounds: one-shots, loops, music.
        Sfx("Data/sound/attack.wav", AssetKind::Effect, 0.2, 0.8),
        Sfx("Data/sound/attackHit.wav", AssetKind::Effect, 0.3, 1.2),
        Sfx("Data/sound/bulletHit.wav", AssetKind::Effect, 0.2, 1.0),
        Sfx("Data/sound/gun.wav", AssetKind::Effect, 0.4, 1.5),
        Sfx("Data/sound/weapon.wav", AssetKind::Effect, 0.15, 0.8),
        Sfx("Data/sound/start.wav", AssetKind::Effect, 0.5, 2.0),
        Sfx("Data/sound/explosion3.wav", AssetKind::Effect, 0.8, 2.5),
        Sfx("Data/sound/deadBom.wav", AssetKind::Effect, 1.5, 4.0),
        Sfx("Data/sound/charge.wav", AssetKind::Loop, 1.0, 4.0),
        Sfx("Data/sound/thruster.wav", AssetKind::Loop, 1.0, 4.0),
        Sfx("Data/sound/signal.wav", AssetKind::Loop, 0.5, 2.0),
        Sfx("Data/sound/dead.wav", AssetKind::Loop, 0.5, 2.0),
        Sfx("Data/sound/title.wav", AssetKind::Music, 30.0, 90.0),
        Sfx("Data/sound/battle.wav", AssetKind::Music, 30.0, 90.0),
        Sfx("Data/sound/gameover.wav", AssetKind::Music, 30.0, 90.0),
        // The stone field.
        {"Data/stone/stoneData.dat", AssetKind::StoneTable, 0, 0, 0, 0},
        // The menus' text: one atlas of glyphs and their metrics, written together.
        {kGlyphAtlasPath, AssetKind::GlyphAtlas, kGlyphAtlasWidth, kGlyphAtlasHeight, 0, 0},
        {kGlyphMetricsPath, AssetKind::GlyphMetrics, 0, 0, 0, 0},
        // Models, written by the model generator.
        Model("Data/Missile/Missile.gltf"),
        Model("Data/ax/ax.gltf"),
        Model("Data/ax/flashAx.gltf"),
        Model("Data/cannon/cannon.gltf"),
        Model("Data/enemy04/enemy04 body.gltf"),
        Model("Data/enemy04/enemy04 leftHand.gltf"),
        Model("Data/enemy04/enemy04 leftLeg.gltf"),
        Model("Data/enemy04/enemy04 rightHand.gltf"),
        Model("Data/enemy04/enemy04 rightLeg.gltf"),
        Model("Data/enemyAx/enemyAx.gltf"),
        Model("Data/gun01/gun01.gltf"),
        Model("Data/player04/hitBox.gltf"),
        Model("Data/player04/player04_4_body.gltf"),
        Model("Data/player04/player04_4_leftHand.gltf"),
        Model("Data/player04/player04_4_leftLeg.gltf"),
        Model("Data/player04/player04_4_leftThighs.gltf"),
        Model("Data/player04/player04_4_rightHand.gltf"),
        Model("Data/player04/player04_4_rightLeg.gltf"),
        Model("Data/player04/player04_4_rightThighs.gltf"),
        Model("Data/satellite/satellite.gltf"),
        Model("Data/space/space.gltf"),
        Model("Data/spaceBattleShip/battleShip.gltf"),
        Model("Data/spaceBattleShip/cannon.gltf"),
        Model("Data/spaceBattleShip/cannon1.gltf"),
        Model("Data/spaceBattleShip/cannon2.gltf"),
        Model("Data/spaceBattleShip/cannonCover.gltf"),
        Model("Data/spaceBattleShip/hitBox.gltf"),
        Model("Data/stone/fragment.gltf"),
        Model("Data/stone/stone.gltf"),
        Model("Data/stone/stone2.gltf"),
        Model("Data/stone/stone3.gltf"),
        Model("Data/thruster/thruster.gltf"),
        Model("Data/title/title_player.gltf"),
    };
}

}  // namespace

const std::vector<ManifestEntry>& Manifest() {
    static const std::vector<ManifestEntry> entries = Build();
    return entries;
}

const ManifestEntry* FindManifestEntry(const std::string& path) {
    for (const ManifestEntry& e : Manifest()) {
        if (e.path == path) return &e;
    }
    return nullptr;
}

bool IsSound(AssetKind kind) {
    return kind == AssetKind::Effect || kind == AssetKind::Loop || kind == AssetKind::Music;
}
