#include "engine/graphics/TextureCache.h"

#include <map>
#include <memory>

#include "engine/graphics/FwTexture.h"

namespace {

// Keyed by the exact path bytes: "Data/a.png", "data/a.png" and "Data\\a.png" are three
// entries, as the game's paths are always written the same way.
std::map<std::string, std::unique_ptr<FwTexture>>& Cache() {
    static std::map<std::string, std::unique_ptr<FwTexture>> cache;
    return cache;
}

}  // namespace

FwTexture* GetTexture(const std::string& path) {
    auto& cache = Cache();
    auto found = cache.find(path);
    if (found != cache.end()) return found->second.get();
    auto texture = std::make_unique<FwTexture>();
    texture->Load(path);  // a failed load is cached too: it is not retried
    FwTexture* result = texture.get();
    cache.emplace(path, std::move(texture));
    return result;
}

void ReleaseTextureCache() {
    Cache().clear();
}

int GetTextureCacheSize() {
    return static_cast<int>(Cache().size());
}
