#pragma once

#include "core/Canvas.h"
#include "core/FontSet.h"

// Title screen and the captions of the result screens.

// Data/title/title4.png, 285 x 102, shown twice its size at the centre top: the logo
// "ほしかげ" over "ミルトス".
Canvas MakeTitleLogo(const FontSet& fonts);
// Data/title/title5.png, 422 x 101, top left: the Latin name and the version. Its lower
// right corner stays clear because the logo overlaps it on screen.
Canvas MakeTitleBanner(const FontSet& fonts);
// Data/title/click.png, 792 x 161, shown at half size: the start prompt.
Canvas MakeClickPrompt(const FontSet& fonts);
// Data/tex/black.png, 16 x 16: opaque black for the fades. They draw it over the whole
// 1280 x 720 screen; a uniform colour samples the same from any size, and this one is not
// kept in memory at screen size.
Canvas MakeBlack();
// Data/tex/clear.png, 295 x 90, shown three times its size: "STAGE CLEAR".
Canvas MakeClearCaption(const FontSet& fonts);
// Data/tex/gameover.png, 266 x 90, shown three times its size: "GAME OVER".
Canvas MakeGameoverCaption(const FontSet& fonts);
