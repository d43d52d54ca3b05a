#pragma once

#include "audio/Sequencer.h"

// The three pieces of music, each one seamless loop.
Song TitleTheme();     // title.wav: heroic, D major, 112 bpm, 24 bars (about 51 s)
Song BattleTheme();    // battle.wav: driving, E minor, 148 bpm, 32 bars (about 52 s)
Song GameoverTheme();  // gameover.wav: sombre, A minor, 66 bpm, 16 bars (about 58 s)
