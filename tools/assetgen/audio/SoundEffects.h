#pragma once

#include "audio/Sound.h"

// The game's sound effects, mono at 44.1 kHz, before normalisation. One-shots start and end
// in silence; loops are built on whole cycles and wrapped filters, so their last sample runs
// into their first without a click.

Sound MakeSwing();           // attack.wav: the axe's whoosh
Sound MakeAxeImpact();       // attackHit.wav: metal on metal with a heavy thump
Sound MakeBulletImpact();    // bulletHit.wav: a sharp crack with a sizzle
Sound MakeRailgunShot();     // gun.wav: an electric discharge falling into a boom
Sound MakeWeaponSwitch();    // weapon.wav: a click, a servo whirr, a clack
Sound MakeStartChime();      // start.wav: a bright rising chord
Sound MakeSmallExplosion();  // explosion3.wav
Sound MakeLargeExplosion();  // deadBom.wav

Sound MakeChargeLoop();     // charge.wav: an endlessly rising energy whine, 2 s
Sound MakeThrusterLoop();   // thruster.wav: a steady roar, 2 s
Sound MakeOverheatAlarm();  // signal.wav: a double beep each second
Sound MakeDyingAlarm();     // dead.wav: a siren sweeping twice a second
