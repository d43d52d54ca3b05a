#pragma once

// The fixed camera of the sprite-only result screens (clear and game over): looking down
// +Z from the origin with the screens' precomputed 60° projection (far plane 2000).
void SetResultSceneCamera();
