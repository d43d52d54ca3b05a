#pragma once

#include "core/Canvas.h"
#include "core/FontSet.h"

// The battle HUD. Sprites are drawn with point sampling at the scales the gauges use, so
// strokes are kept several texels wide wherever an image is shrunk.

// Data/tex/hpgauge.png, 189 x 20: the bar's frame; its inside is clear so the bar drawn
// before it shows through.
Canvas MakeHpFrame();
// Data/tex/hpgaugeG/Y/R.png, 189 x 20: bar fills, uniform along x so any crop from the left
// (185 x 19 for the enemy gauge, 95 x 15 for the overheated energy bar) reads the same.
Canvas MakeHpFill(const Rgba& colour);
// Data/tex/playerchar.png, 130 x 80: the pilot portrait beside the HP bar.
Canvas MakePortrait(const FontSet& fonts);
// Data/tex/gauge.png and ingauge.png, 100 x 50: the energy frame and its fill, both stretched
// three times wider on screen. The frame carries no lettering: squeezed text would not survive
// the stretch with point sampling.
Canvas MakeEnergyFrame();
Canvas MakeEnergyFill();
// Data/tex/overHeat.png, 1064 x 300, shown at about a fifth of its size.
Canvas MakeOverheatLabel(const FontSet& fonts);
// Data/tex/line.png, 100 x 100, shown 20 x 25: the shot-cost marker.
Canvas MakeCostMarker();
// Data/aim/aim.png, 64 x 64: the rail gun reticle, drawn 1:1.
Canvas MakeReticle();
