#include "game/world/Stone.h"

#include <cstdlib>

#include "engine/graphics/FwModel.h"
#include "engine/graphics/ModelCache.h"

namespace {
const char* const kStoneModels[3] = {"Data/stone/stone.gltf", "Data/stone/stone2.gltf",
                                     "Data/stone/stone3.gltf"};
}

Stone::Stone() {
    modelIndex = rand() % 3;
    sharedModel = GetModel(kStoneModels[modelIndex]);
    // Separate statements: the draws must happen in the order X, Y, Z.
    const float angleX = ToRadians(static_cast<float>(rand() % 360));
    const float angleY = ToRadians(static_cast<float>(rand() % 360));
    const float angleZ = ToRadians(static_cast<float>(rand() % 360));
    baseMatrix = Matrix::CreateScale(5.0f) * Matrix::CreateRotationZ(angleZ) *
                 Matrix::CreateRotationX(angleX) * Matrix::CreateRotationY(angleY);
    SetModel(*sharedModel, baseMatrix);
    SetMatrixAndRadius(baseMatrix, kRadius);
}

void Stone::Update() {
    SetMatrixAndRadius(baseMatrix, kRadius);
}

void Stone::PlaceAt(const Vector3& position) {
    baseMatrix.SetTranslation(position);
    SetModel(*sharedModel, baseMatrix);
}
