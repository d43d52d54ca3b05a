#include "app/Object.h"

#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"

Object::~Object() = default;

void Object::Draw() {
    ShaderManager::GetInstance().GetModelShader().SetWorld(matrix);
    DrawModel(&model, 1.0f, nullptr);
}

void Object::Release() {
    model.Clear();
}

void Object::SetMatrix(const Matrix& m) {
    matrix = m;
}

void Object::UpdateMatrix() {}

void Object::SetMatrixAndRadius(const Matrix& m, float r) {
    matrix = m;
    radius = r;
}

void Object::SetModel(const FwModel& source, const Matrix& m) {
    if (&source != &model) model = source;
    matrix = m;
}
