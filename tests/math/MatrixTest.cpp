#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "engine/math/Matrix.h"

namespace {

void ExpectRows(const Matrix& m, const std::array<std::array<float, 4>, 4>& rows,
                float tolerance = 1e-6f) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(m(r, c), rows[r][c], tolerance) << "row " << r << " column " << c;
}

void ExpectVector(const Vector3& v, const Vector3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(v.x, expected.x, tolerance);
    EXPECT_NEAR(v.y, expected.y, tolerance);
    EXPECT_NEAR(v.z, expected.z, tolerance);
}

TEST(MatrixRotations, RowsMatchTheLeftHandedRowVectorConvention) {
    const float a = ToRadians(30.0f);
    // The satellite's placement turns by 30° about Y.
    ExpectRows(Matrix::CreateRotationY(a),
               {{{0.8660254f, 0, -0.5f, 0}, {0, 1, 0, 0}, {0.5f, 0, 0.8660254f, 0}, {0, 0, 0, 1}}});
    // The background ships turn by 180°.
    ExpectRows(Matrix::CreateRotationY(ToRadians(180.0f)),
               {{{-1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, -1, 0}, {0, 0, 0, 1}}});
    const float c = std::cos(a), s = std::sin(a);
    ExpectRows(Matrix::CreateRotationX(a),
               {{{1, 0, 0, 0}, {0, c, s, 0}, {0, -s, c, 0}, {0, 0, 0, 1}}});
    ExpectRows(Matrix::CreateRotationZ(a),
               {{{c, s, 0, 0}, {-s, c, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}});
    // Heading of yaw a is (sin a, 0, cos a): +Z turned toward +X.
    ExpectVector(Vector3::TransformNormal({0, 0, 1}, Matrix::CreateRotationY(a)), {s, 0, c});
}

TEST(MatrixProducts, LeftFactorAppliesFirst) {
    const Matrix scale = Matrix::CreateScale(2.0f);
    const Matrix move = Matrix::CreateTranslation(10, 0, 0);
    // Scale then translate: (1,0,0) → (2,0,0) → (12,0,0).
    ExpectVector(Vector3::Transform({1, 0, 0}, scale * move), {12, 0, 0});
    // Translate then scale: (1,0,0) → (11,0,0) → (22,0,0).
    ExpectVector(Vector3::Transform({1, 0, 0}, move * scale), {22, 0, 0});
    // The satellite's placement: the translation row is the last factor's, unscaled.
    const Matrix earth = Matrix::CreateScale(40) * Matrix::CreateRotationY(ToRadians(30)) *
                         Matrix::CreateTranslation(-600, -100, -700);
    ExpectVector(earth.Translation(), {-600, -100, -700});
    EXPECT_NEAR(earth(0, 0), 40 * 0.8660254f, 1e-4f);
    EXPECT_NEAR(earth(0, 2), -40 * 0.5f, 1e-4f);
}

TEST(MatrixProducts, DataIsRowByRowWithTranslationInTheFourthRow) {
    const Matrix m = Matrix::CreateTranslation(1, 2, 3);
    const float* d = m.Data();
    EXPECT_EQ(d[12], 1.0f);
    EXPECT_EQ(d[13], 2.0f);
    EXPECT_EQ(d[14], 3.0f);
    EXPECT_EQ(d[3], 0.0f);
}

TEST(MatrixProjection, PerspectiveMatchesTheGameCameras) {
    const float fov = kPi / 3.0f;
    // The shader manager's default camera at 1280 × 720, far plane 1000.
    const float aspect = 1280.0f / 720.0f;
    ExpectRows(Matrix::CreatePerspectiveFieldOfView(fov, aspect, 0.01f, 1000.0f),
               {{{1.7320508f / aspect, 0, 0, 0},
                 {0, 1.7320508f, 0, 0},
                 {0, 0, 1.00001f, 1},
                 {0, 0, -0.0100001f, 0}}},
               1e-6f);
    // The result screens' fixed projection, far plane 2000.
    ExpectRows(Matrix::CreatePerspectiveFieldOfView(fov, aspect, 0.01f, 2000.0f),
               {{{0.9742786f, 0, 0, 0},
                 {0, 1.7320508f, 0, 0},
                 {0, 0, 1.000005f, 1},
                 {0, 0, -0.01000005f, 0}}},
               1e-6f);
    // Depth maps near → 0 and far → 1.
    const Matrix p = Matrix::CreatePerspectiveFieldOfView(fov, aspect, 0.01f, 2000.0f);
    const Vector4 nearPoint = Vector4::Transform({0, 0, 0.01f, 1}, p);
    const Vector4 farPoint = Vector4::Transform({0, 0, 2000.0f, 1}, p);
    EXPECT_NEAR(nearPoint.z / nearPoint.w, 0.0f, 1e-6f);
    EXPECT_NEAR(farPoint.z / farPoint.w, 1.0f, 1e-6f);
}

TEST(MatrixView, LookAtIsLeftHanded) {
    // Looking down +Z from the origin is the identity.
    ExpectRows(Matrix::CreateLookAt({0, 0, 0}, {0, 0, 1}, {0, 1, 0}),
               {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}});
    // From (0,0,-10) toward the origin: the origin is 10 units ahead, +X stays right.
    const Matrix view = Matrix::CreateLookAt({0, 0, -10}, {0, 0, 0}, {0, 1, 0});
    ExpectVector(Vector3::Transform({0, 0, 0}, view), {0, 0, 10});
    ExpectVector(Vector3::Transform({1, 0, 0}, view), {1, 0, 10});
    // Looking along +X: a point on +Z lies to the left (negative x in view space).
    const Matrix side = Matrix::CreateLookAt({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    EXPECT_LT(Vector3::Transform({0, 0, 5}, side).x, 0.0f);
    // The camera position comes back as the translation row of the inverse view.
    ExpectVector(view.Invert().Translation(), {0, 0, -10});
}

TEST(MatrixInverse, UndoesAPlacement) {
    const Matrix m = Matrix::CreateScale(3) * Matrix::CreateRotationX(0.4f) *
                     Matrix::CreateRotationY(-1.1f) * Matrix::CreateTranslation(5, -2, 7);
    const Matrix identity = m * m.Invert();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(identity(r, c), r == c ? 1.0f : 0.0f, 1e-5f);
    const Vector3 p{1.5f, -2.0f, 0.25f};
    ExpectVector(Vector3::Transform(Vector3::Transform(p, m), m.Invert()), p, 1e-4f);
}

TEST(MatrixRotations, YawPitchRollAppliesRollThenPitchThenYaw) {
    const float yaw = 0.7f, pitch = -0.3f, roll = 1.2f;
    const Matrix composed = Matrix::CreateRotationZ(roll) * Matrix::CreateRotationX(pitch) *
                            Matrix::CreateRotationY(yaw);
    const Matrix direct = Matrix::CreateFromYawPitchRoll(yaw, pitch, roll);
    const Matrix fromQuaternion =
        Matrix::CreateFromQuaternion(Quaternion::CreateFromYawPitchRoll(yaw, pitch, roll));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(direct(r, c), composed(r, c), 1e-6f);
            EXPECT_NEAR(fromQuaternion(r, c), composed(r, c), 1e-5f);
        }
}

TEST(QuaternionRotation, MatrixRowsFollowTheFormulaOfTheModelLoader) {
    // Rows (1 − 2y² − 2z², 2xy + 2zw, 2xz − 2yw), ... for a unit quaternion.
    Quaternion q(0.1f, 0.5f, -0.3f, 0.8f);
    q.Normalize();
    const float x = q.x, y = q.y, z = q.z, w = q.w;
    ExpectRows(Matrix::CreateFromQuaternion(q),
               {{{1 - 2 * y * y - 2 * z * z, 2 * x * y + 2 * z * w, 2 * x * z - 2 * y * w, 0},
                 {2 * x * y - 2 * z * w, 1 - 2 * x * x - 2 * z * z, 2 * y * z + 2 * x * w, 0},
                 {2 * x * z + 2 * y * w, 2 * y * z - 2 * x * w, 1 - 2 * x * x - 2 * y * y, 0},
                 {0, 0, 0, 1}}},
               1e-6f);
    // And back from the matrix (up to sign).
    const Quaternion back = Quaternion::CreateFromRotationMatrix(Matrix::CreateFromQuaternion(q));
    EXPECT_NEAR(std::fabs(back.Dot(q)), 1.0f, 1e-5f);
}

TEST(QuaternionRotation, ProductAppliesLeftFirstLikeMatrices) {
    const Quaternion a = Quaternion::CreateFromAxisAngle({1, 0, 0}, 0.5f);
    const Quaternion b = Quaternion::CreateFromAxisAngle({0, 1, 0}, 1.0f);
    const Matrix viaQuaternion = Matrix::CreateFromQuaternion(a * b);
    const Matrix viaMatrices = Matrix::CreateRotationX(0.5f) * Matrix::CreateRotationY(1.0f);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(viaQuaternion(r, c), viaMatrices(r, c), 1e-6f);
}

TEST(QuaternionSlerp, InterpolatesAlongTheShorterArc) {
    const Quaternion a = Quaternion::CreateFromAxisAngle({0, 1, 0}, 0.0f);
    const Quaternion b = Quaternion::CreateFromAxisAngle({0, 1, 0}, ToRadians(90.0f));
    const Quaternion half = Quaternion::Slerp(a, b, 0.5f);
    const Vector3 turned = Vector3::TransformNormal({0, 0, 1}, Matrix::CreateFromQuaternion(half));
    ExpectVector(turned, {std::sin(ToRadians(45.0f)), 0, std::cos(ToRadians(45.0f))});
    // -b is the same rotation; the blend must not go the long way round.
    const Quaternion viaNegated = Quaternion::Slerp(a, -b, 0.5f);
    ExpectVector(Vector3::TransformNormal({0, 0, 1}, Matrix::CreateFromQuaternion(viaNegated)),
                 turned);
}

TEST(VectorOperations, NormaliseCrossAndDistance) {
    ExpectVector(Vector3(3, 0, 4).Normalized(), {0.6f, 0, 0.8f});
    ExpectVector(Vector3().Normalized(), {0, 0, 0});
    ExpectVector(Vector3(1, 0, 0).Cross({0, 1, 0}), {0, 0, 1});
    EXPECT_FLOAT_EQ(Vector3::Distance({1, 2, 3}, {4, 6, 3}), 5.0f);
    // Normals ignore the translation row; points do not.
    const Matrix m = Matrix::CreateTranslation(5, 5, 5);
    ExpectVector(Vector3::TransformNormal({0, 1, 0}, m), {0, 1, 0});
    ExpectVector(Vector3::Transform({0, 1, 0}, m), {5, 6, 5});
}

}  // namespace
