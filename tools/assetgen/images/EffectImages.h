#pragma once

#include "core/Canvas.h"

// Glows and ribbons of the 3D effects. All of them are drawn with additive blending, so the
// colour carries the light and the alpha fades it out; every edge falls to transparent.

Canvas MakeSpeedDot();         // Data/effect/test.png: the speed particles
Canvas MakeRockMote();         // Data/effect/rock.png: comet debris
Canvas MakeEnergyMote();       // Data/effect/energyBullet.png: the cannon's charge shot
Canvas MakeThrusterFlame();    // Data/effect/bull.png: the thruster's flame sprite
Canvas MakeMuzzleFlash();      // Data/effect/muzzle.png
Canvas MakeSpark(bool enemy);  // Data/effect/enemyEffect.png (orange) / playerEffect.png (cyan)
Canvas MakeAxeFlash();         // Data/effect/flashAx.png: the glow on the swinging axe
Canvas MakeShockwave();        // Data/spaceBattleShip/maru.png: the ship's expanding ring
// Trail ribbons: u runs across the ribbon, v along it from the head (v = 0) to the tail.
Canvas MakeTrail(bool hot);  // Data/tex/bullet2.png (cool blue) / bullet3.png (hot orange)
// Thruster exhaust ribbons, laid out like the trails but lit only along a narrow tongue.
Canvas MakeExhaust(bool hot);  // Data/thruster/exhaust.png (blue) / exhaust_hot.png (orange)
// Slash ribbons: u runs along the swing from the newest frame (u = 0), v across the blade
// from behind the hand (v = 0) to beyond the edge (v = 1).
Canvas MakeSlash(bool enemy);  // Data/effect/jet.bmp (enemy, red) / jet2.png (player, cyan)
