#include "AssetGenerator.h"

std::vector<SoundRecipe> SoundRecipes() {
    return {};
}
