#pragma once

#include <string>

class FwModel;

// The process-wide model cache, keyed by the exact path string. The first request for
// a path loads the file (FwModel::Load); a file that fails to load is cached as an empty
// model and not retried. Never null. The cache owns the models and keeps them until the
// process ends, so callers hold the pointer without owning it. Main thread only.
FwModel* GetModel(const std::string& path);

// Drops every cached model (pointers from GetModel dangle afterwards). For shutdown,
// before the graphics device is released, and for tests between GL contexts.
void ReleaseModelCache();

// Number of cached paths (for tests and diagnostics).
int GetModelCacheSize();
