#pragma once

#include "core/Canvas.h"

// Animated sprite sheets. Cells are square and laid out so that every frame index the
// effects compute lands on a drawn cell.

// Data/effect/expAnime.png, 256 x 288: 32-pixel cells, 8 columns, 9 rows holding frames
// 0..64 of an explosion (frame f at column f mod 8, row f div 8): a white flash, a rolling
// fireball (frames 20..32 double as the cannon's rising flames) and smoke that thins out.
// Frame 32 (column 0, row 4) is also the overheat smoke puff.
Canvas MakeExplosionSheet();

// Data/effect/attack2.png, 960 x 960: 120-pixel cells, 8 x 8. The hit flash reads frame f
// from column f mod 8 and row f (not f div 8), so every cell of column f holds frame f; the
// sheet then works whichever row the frame rule picks.
Canvas MakeHitFlashSheet();
