#include "engine/graphics/ModelCache.h"

#include <memory>
#include <unordered_map>

#include "engine/graphics/FwModel.h"

namespace {

std::unordered_map<std::string, std::unique_ptr<FwModel>>& Cache() {
    static std::unordered_map<std::string, std::unique_ptr<FwModel>> cache;
    return cache;
}

}  // namespace

FwModel* GetModel(const std::string& path) {
    auto& cache = Cache();
    auto it = cache.find(path);
    if (it != cache.end()) return it->second.get();
    auto model = std::make_unique<FwModel>();
    model->Load(path);  // a failed load is cached empty on purpose: it is never retried
    FwModel* result = model.get();
    cache.emplace(path, std::move(model));
    return result;
}

void ReleaseModelCache() {
    Cache().clear();
}

int GetModelCacheSize() {
    return int(Cache().size());
}
