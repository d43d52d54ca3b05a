#pragma once

#include "engine/graphics/FwModel.h"
#include "engine/math/Matrix.h"

// Base of everything that lives in the battle's 3D world. Holds a world matrix, a
// collision radius and two model references: `model`, the object's own copy (drawn by
// the base Draw), and `sharedModel`, a model from the cache (GetModel) that the cache
// keeps alive for the whole run and the object never releases.
//
// Owned through plain pointers by the scene or container that created it and deleted
// through the virtual destructor; the collision queries move objects only through
// SetMatrix followed by UpdateMatrix.
class Object {
public:
    Object() = default;
    virtual ~Object();

    // Sets the model shader's world to `matrix` and draws `model` fully opaque with its
    // own node matrices. The model shader must be active.
    virtual void Draw();
    // Empties the lists of `model`; a later Draw draws nothing.
    virtual void Release();
    // Places the object. Classes that keep a base matrix store m there instead and
    // derive `matrix` in UpdateMatrix.
    virtual void SetMatrix(const Matrix& m);
    // Recomputes `matrix` (and attached parts) from a base matrix; nothing here.
    virtual void UpdateMatrix();

    const Matrix& GetMatrix() const { return matrix; }
    // World units.
    float GetRadius() const { return radius; }
    void SetMatrixAndRadius(const Matrix& m, float r);
    // Copies source into `model` (sharing its meshes and textures) unless source is
    // `model` itself, then sets the matrix.
    void SetModel(const FwModel& source, const Matrix& m);

protected:
    FwModel model;
    Matrix matrix;
    // Collision radius in world units; 0 for objects that never collide.
    float radius = 0.0f;
    // Not owned; from GetModel.
    FwModel* sharedModel = nullptr;
};
