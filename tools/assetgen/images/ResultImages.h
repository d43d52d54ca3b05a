#pragma once

#include "core/Canvas.h"

// The pictures behind the result captions.

// Data/tex/clearPlayer2.png, 1280 x 817: the robot standing victorious on the right, axe
// raised, against a golden dawn; the upper left stays calm for the caption.
Canvas MakeClearPicture();
// Data/tex/gameoverPlayer.png, 1195 x 672: the wrecked robot adrift, dark and smoking, its
// arm torn away, under a red haze.
Canvas MakeGameoverPicture();
