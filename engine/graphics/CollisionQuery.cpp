#include "engine/graphics/CollisionQuery.h"

#include <limits>

#include "app/Object.h"
#include "engine/graphics/FwModel.h"

void CollisionQuery::SeparateSpheres(Object* a, Object* b) const {
    const Vector3 pa = a->GetMatrix().Translation();
    const Vector3 pb = b->GetMatrix().Translation();
    const Vector3 d = pb - pa;
    const float dist = d.Length();
    const float sum = a->GetRadius() + b->GetRadius();
    if (!(sum > dist)) return;

    const float overlap = sum - dist;
    const Vector3 n = dist != 0.0f ? d / dist : Vector3{};
    const Vector3 push = n * overlap;

    b->SetMatrix(b->GetMatrix() * Matrix::CreateTranslation(push.x, 0.0f, push.z));
    b->UpdateMatrix();
    a->SetMatrix(a->GetMatrix() * Matrix::CreateTranslation(-push.x, 0.0f, -push.z));
    a->UpdateMatrix();
}

namespace {

// Rejects rays nearly parallel to a triangle; tiny on purpose so thin slivers still hit.
constexpr float kParallelEpsilon = 1e-20f;

// Möller–Trumbore with an unnormalised determinant, accepting both windings.
// Returns the distance along the unit direction, or a negative value for a miss.
float IntersectTriangle(const Vector3& o, const Vector3& dir, const Vector3& p0, const Vector3& p1,
                        const Vector3& p2) {
    const Vector3 e1 = p1 - p0;
    const Vector3 e2 = p2 - p0;
    const Vector3 h = dir.Cross(e2);
    const float det = e1.Dot(h);
    if (det >= kParallelEpsilon) {
        const Vector3 w = o - p0;
        const float u = w.Dot(h);
        const Vector3 q = w.Cross(e1);
        const float vv = dir.Dot(q);
        const float t = e2.Dot(q);
        if (u < 0.0f || u > det || vv < 0.0f || u + vv > det || t < 0.0f) return -1.0f;
        return t / det;
    }
    if (det <= -kParallelEpsilon) {
        const Vector3 w = o - p0;
        const float u = w.Dot(h);
        const Vector3 q = w.Cross(e1);
        const float vv = dir.Dot(q);
        const float t = e2.Dot(q);
        if (u > 0.0f || u < det || vv > 0.0f || u + vv < det || t > 0.0f) return -1.0f;
        return t / det;
    }
    return -1.0f;
}

}  // namespace

bool CollisionQuery::RayToModel(const FwModel* model, const Matrix& world, const Vector3& origin,
                                const Vector3& direction, Vector3& outNormal,
                                float& outDistance) const {
    if (model == nullptr) return false;

    const float none = std::numeric_limits<float>::max();
    float best = none;
    Vector3 bestP0, bestP1, bestP2;
    Matrix bestMatrix;

    for (const FwModelNode& node : model->nodes) {
        if (!node.mesh) continue;
        const FwMesh& mesh = *node.mesh;
        if (mesh.faces.empty()) continue;

        const Matrix m = node.matrix * world;
        const Matrix inv = m.Invert();
        const Vector3 o = Vector3::Transform(origin, inv);
        Vector3 v = Vector3::TransformNormal(direction, inv);
        const float s = v.Length();
        if (!(s > 0.0f)) continue;
        v = v / s;

        const size_t vertexCount = mesh.positions.size();
        for (const FwMeshFace& f : mesh.faces) {
            // Meshes built by the loader never index past their positions; a hand-made
            // one that does is skipped rather than read out of bounds.
            if (f.i0 >= vertexCount || f.i1 >= vertexCount || f.i2 >= vertexCount) continue;
            const Vector3& p0 = mesh.positions[f.i0];
            const Vector3& p1 = mesh.positions[f.i1];
            const Vector3& p2 = mesh.positions[f.i2];
            const float along = IntersectTriangle(o, v, p0, p1, p2);
            if (along < 0.0f) continue;
            const float distance = along / s;
            if (distance < best) {
                best = distance;
                bestP0 = p0;
                bestP1 = p1;
                bestP2 = p2;
                bestMatrix = m;
            }
        }
    }

    if (best == none) return false;
    outDistance = best;
    outNormal =
        Vector3::TransformNormal((bestP1 - bestP0).Cross(bestP2 - bestP0), bestMatrix).Normalized();
    return true;
}
