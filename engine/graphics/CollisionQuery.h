#pragma once

#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"

class FwModel;
class Object;

// The game's two collision tests. Stateless: owners create one for themselves.
class CollisionQuery {
public:
    // Pushes two overlapping spheres (centre = translation row of GetMatrix, radius =
    // GetRadius) apart in the horizontal plane: each moves by the whole overlap along
    // x and z, away from the other, through SetMatrix then UpdateMatrix (b first).
    // Objects at the same centre, touching, or overlapping only vertically stay put.
    void SeparateSpheres(Object* a, Object* b) const;

    // Nearest hit of the ray origin + t × direction (t ≥ 0) with any triangle of model
    // placed at world; both faces of a triangle count. On a hit, outDistance = t (in units
    // of direction, so a unit direction gives world units) and outNormal = the unit normal
    // of the first-found nearest face in world space, (p1 − p0) × (p2 − p0) in the face's
    // stored winding. Without a hit (or for a null or empty model) false, and the outputs
    // are left untouched. A zero direction never hits.
    bool RayToModel(const FwModel* model, const Matrix& world, const Vector3& origin,
                    const Vector3& direction, Vector3& outNormal, float& outDistance) const;
};
