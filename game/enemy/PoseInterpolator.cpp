#include "game/enemy/PoseInterpolator.h"

#include <cmath>

#include "engine/math/Quaternion.h"

namespace {

// The rotation of m with its scale removed (each of the first three rows made unit).
Quaternion RotationOf(const Matrix& m) {
    Matrix r;
    for (int row = 0; row < 3; ++row) {
        Vector3 v(m(row, 0), m(row, 1), m(row, 2));
        v.Normalize();
        r.SetRow(row, Vector4(v.x, v.y, v.z, 0.0f));
    }
    Quaternion q = Quaternion::CreateFromRotationMatrix(r);
    q.Normalize();
    return q;
}

}  // namespace

void PoseInterpolator::SetUp(float newStep, const Matrix& newStart, const Matrix& newTarget) {
    step = newStep;
    start = newStart;
    target = newTarget;
}

bool PoseInterpolator::Advance(bool reset) {
    progress += step;
    finished = false;
    if (progress >= 1.0f) {
        progress = 1.0f;
        finished = true;
    }
    current = Interpolate(start, target, progress);
    if (reset && progress == 1.0f) progress = 0.0f;
    return finished;
}

Matrix PoseInterpolator::Interpolate(const Matrix& a, const Matrix& b, float t) {
    Quaternion qa = RotationOf(a);
    Quaternion qb = RotationOf(b);
    float dot = qa.Dot(qb);
    if (dot < 0.0f) {
        qb = -qb;
        dot = -dot;
    }
    float wa = 1.0f - t;
    float wb = t;
    if (dot < 0.99999f) {
        const float angle = std::acos(dot);
        const float s = std::sin(angle);
        wa = std::sin((1.0f - t) * angle) / s;
        wb = std::sin(t * angle) / s;
    }
    Quaternion q(qa.x * wa + qb.x * wb, qa.y * wa + qb.y * wb, qa.z * wa + qb.z * wb,
                 qa.w * wa + qb.w * wb);
    q.Normalize();
    Matrix out = Matrix::CreateFromQuaternion(q);
    const Vector3 ta = a.Translation();
    const Vector3 tb = b.Translation();
    out.SetTranslation(ta + (tb - ta) * t);
    out(0, 3) = 0.0f;
    out(1, 3) = 0.0f;
    out(2, 3) = 0.0f;
    out(3, 3) = 1.0f;
    return out;
}
