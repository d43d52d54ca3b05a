#include "ModelGenerator.h"

// Filled in by the model generator work; until then no model is written.
bool GenerateModels(const std::filesystem::path&, std::string&) { return true; }

std::vector<std::string> ModelFilePaths() { return {}; }
