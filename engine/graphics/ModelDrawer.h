#pragma once

#include <vector>

#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"

class FwModel;

// Draws model with the model shader, which must be active (ModelShader::Activate) and
// hold the object's world matrix (ModelShader::SetWorld). Each node with a mesh is drawn
// at nodeMatrices[i] × world, where nodeMatrices (may be null) replaces the node's own
// matrix for the indices it covers; shorter lists leave later nodes at their own matrix.
// alpha multiplies every material's BaseColor.a (0 draws nothing with the default alpha
// test). A subset without a material (-1) keeps the material bound before it; the very
// first such draw of a device gets a white default. A null or empty model draws nothing.
void DrawModel(const FwModel* model, float alpha = 1.0f,
               const std::vector<Matrix>* nodeMatrices = nullptr);

// As DrawModel, with every material's emissive colour replaced by emissive.
void DrawModelEmissive(const FwModel* model, const Vector3& emissive, float alpha = 1.0f,
                       const std::vector<Matrix>* nodeMatrices = nullptr);

// Consecutive subsets of a mesh are drawn in one call (the picture is the same as drawing
// them one by one). Off draws each subset on its own, for comparisons. On by default.
void SetMergedSubsetDraws(bool on);
