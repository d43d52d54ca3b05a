#pragma once

#include <string>

class FwTexture;

// The process-wide texture cache: one FwTexture per path string, compared exactly (case,
// slashes and "./" all count). The first request loads the file (no render-target, depth
// or mip options) and keeps the texture whatever the result, so a missing or broken file
// yields an empty texture that draws nothing and is never retried.
//
// Never returns null. The cache owns the textures; they live until ReleaseTextureCache.
FwTexture* GetTexture(const std::string& path);

// Drops every cached texture. The game calls it at shutdown, before the graphics device is
// released; tests call it between GL contexts. Pointers from GetTexture dangle afterwards.
void ReleaseTextureCache();

// Number of cached paths (for tests and diagnostics).
int GetTextureCacheSize();
