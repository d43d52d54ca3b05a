#include "engine/graphics/CollisionQuery.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/Object.h"
#include "engine/graphics/FwModel.h"

namespace {

// An object that records the order of its placement calls.
class Probe : public Object {
public:
    Probe(const char* name, const Vector3& at, float r, std::string* log) : name(name), log(log) {
        SetMatrixAndRadius(Matrix::CreateTranslation(at), r);
    }
    void SetMatrix(const Matrix& m) override {
        Object::SetMatrix(m);
        *log += std::string(name) + ".Set ";
    }
    void UpdateMatrix() override { *log += std::string(name) + ".Update "; }
    Vector3 Position() const { return GetMatrix().Translation(); }

private:
    const char* name;
    std::string* log;
};

// One node holding the given triangles (positions in the node's own space).
FwModel MakeModel(const std::vector<Vector3>& positions, const std::vector<FwMeshFace>& faces,
                  const Matrix& nodeMatrix = Matrix::Identity()) {
    FwModel model;
    FwModelNode node;
    node.index = 0;
    node.matrix = nodeMatrix;
    node.mesh = std::make_shared<FwMesh>();
    node.mesh->positions = positions;
    node.mesh->faces = faces;
    model.nodes.push_back(node);
    return model;
}

// A unit square in the plane z = 0, two triangles sharing the diagonal (0,0)-(1,1).
FwModel Square(const Matrix& nodeMatrix = Matrix::Identity()) {
    return MakeModel({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{0, 1, 2}, {0, 2, 3}},
                     nodeMatrix);
}

void ExpectVectorNear(const Vector3& expected, const Vector3& actual) {
    EXPECT_NEAR(expected.x, actual.x, 1e-5f);
    EXPECT_NEAR(expected.y, actual.y, 1e-5f);
    EXPECT_NEAR(expected.z, actual.z, 1e-5f);
}

}  // namespace

TEST(SeparateSpheres, LeavesObjectsThatDoNotOverlapHorizontally) {
    std::string log;
    CollisionQuery query;
    {
        Probe a("a", {1, 2, 3}, 1.0f, &log), b("b", {1, 2, 3}, 1.0f, &log);
        query.SeparateSpheres(&a, &b);  // same centre: no direction to push along
        EXPECT_EQ(a.Position(), Vector3(1, 2, 3));
        EXPECT_EQ(b.Position(), Vector3(1, 2, 3));
    }
    {
        Probe a("a", {0, 0, 0}, 1.5f, &log), b("b", {3, 0, 0}, 1.5f, &log);
        log.clear();
        query.SeparateSpheres(&a, &b);  // exactly touching
        EXPECT_EQ(log, "");
        EXPECT_EQ(b.Position(), Vector3(3, 0, 0));
    }
    {
        Probe a("a", {0, 0, 0}, 2.0f, &log), b("b", {0, 3, 0}, 2.0f, &log);
        query.SeparateSpheres(&a, &b);  // straight above: the push is all vertical
        EXPECT_EQ(a.Position(), Vector3(0, 0, 0));
        EXPECT_EQ(b.Position(), Vector3(0, 3, 0));
    }
}

TEST(SeparateSpheres, PushesEachByTheWholeOverlapBFirst) {
    std::string log;
    CollisionQuery query;
    Probe a("a", {0, 0, 0}, 1.0f, &log), b("b", {0, 0, 1.5f}, 1.0f, &log);
    query.SeparateSpheres(&a, &b);
    ExpectVectorNear({0, 0, -0.5f}, a.Position());
    ExpectVectorNear({0, 0, 2.0f}, b.Position());
    EXPECT_EQ(log, "b.Set b.Update a.Set a.Update ");

    // A diagonal overlap moves along the direction's x and z only.
    Probe c("c", {0, 0, 0}, 2.0f, &log), d("d", {2, 2, 0}, 2.0f, &log);
    const float overlap = 4.0f - std::sqrt(8.0f);
    query.SeparateSpheres(&c, &d);
    ExpectVectorNear({2 + overlap / std::sqrt(2.0f), 2, 0}, d.Position());
    ExpectVectorNear({-overlap / std::sqrt(2.0f), 0, 0}, c.Position());
}

TEST(RayToModel, HitsBothSidesAtTheSameDistance) {
    const FwModel square = Square();
    CollisionQuery query;
    Vector3 frontNormal, backNormal;
    float front = -1, back = -1;
    ASSERT_TRUE(query.RayToModel(&square, Matrix::Identity(), {0.25f, 0.75f, -2}, {0, 0, 1},
                                 frontNormal, front));
    ASSERT_TRUE(query.RayToModel(&square, Matrix::Identity(), {0.25f, 0.75f, 2}, {0, 0, -1},
                                 backNormal, back));
    EXPECT_FLOAT_EQ(front, 2.0f);
    EXPECT_FLOAT_EQ(back, 2.0f);
    // The normal follows the stored winding, whichever side was hit.
    ExpectVectorNear({0, 0, 1}, frontNormal);
    ExpectVectorNear({0, 0, 1}, backNormal);
}

TEST(RayToModel, SharedEdgeReportsTheFirstFace) {
    // Tilt the second face so the two normals differ; the ray meets the shared diagonal.
    const FwModel model =
        MakeModel({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 1}}, {{0, 1, 2}, {0, 2, 3}});
    CollisionQuery query;
    Vector3 normal;
    float distance = 0;
    ASSERT_TRUE(query.RayToModel(&model, Matrix::Identity(), {0.5f, 0.5f, -3}, {0, 0, 1}, normal,
                                 distance));
    EXPECT_FLOAT_EQ(distance, 3.0f);
    ExpectVectorNear({0, 0, 1}, normal);
}

TEST(RayToModel, StartingInsideFindsTheFaceAhead) {
    // Two parallel walls at z = 0 and z = 4; the ray starts between them facing +z.
    const FwModel walls =
        MakeModel({{-1, -1, 0}, {1, -1, 0}, {0, 1, 0}, {-1, -1, 4}, {1, -1, 4}, {0, 1, 4}},
                  {{0, 1, 2}, {3, 4, 5}});
    CollisionQuery query;
    Vector3 normal;
    float distance = 0;
    ASSERT_TRUE(
        query.RayToModel(&walls, Matrix::Identity(), {0, 0, 1}, {0, 0, 1}, normal, distance));
    EXPECT_FLOAT_EQ(distance, 3.0f);
    // Starting on a face counts as a hit at distance 0.
    ASSERT_TRUE(
        query.RayToModel(&walls, Matrix::Identity(), {0, 0, 4}, {0, 0, 1}, normal, distance));
    EXPECT_FLOAT_EQ(distance, 0.0f);
}

TEST(RayToModel, DistanceIsInUnitsOfTheDirection) {
    // Node matrix, then world: the square ends up at z = (0 + 5) × 2 − 4 = 6, scaled ×2.
    const FwModel square = Square(Matrix::CreateTranslation(0, 0, 5));
    const Matrix world = Matrix::CreateScale(2.0f) * Matrix::CreateTranslation(0, 0, -4);
    CollisionQuery query;
    Vector3 normal;
    float unit = 0, doubled = 0;
    ASSERT_TRUE(query.RayToModel(&square, world, {0.5f, 0.5f, 0}, {0, 0, 1}, normal, unit));
    ASSERT_TRUE(query.RayToModel(&square, world, {0.5f, 0.5f, 0}, {0, 0, 2}, normal, doubled));
    EXPECT_FLOAT_EQ(unit, 6.0f);
    EXPECT_FLOAT_EQ(doubled, 3.0f);
}

TEST(RayToModel, NormalIsInWorldSpace) {
    const FwModel square = Square();
    const Matrix world = Matrix::CreateRotationY(kPi / 2);  // +z turns to +x
    CollisionQuery query;
    Vector3 normal;
    float distance = 0;
    ASSERT_TRUE(query.RayToModel(&square, world, {-3, 0.5f, -0.5f}, {1, 0, 0}, normal, distance));
    EXPECT_NEAR(distance, 3.0f, 1e-5f);
    ExpectVectorNear({1, 0, 0}, normal);
}

TEST(RayToModel, MissesLeaveTheOutputsAlone) {
    const FwModel square = Square();
    CollisionQuery query;
    Vector3 normal{7, 7, 7};
    float distance = 42;
    // Pointing away, passing beside, parallel, zero direction, empty and null models.
    EXPECT_FALSE(query.RayToModel(&square, Matrix::Identity(), {0.5f, 0.5f, -1}, {0, 0, -1}, normal,
                                  distance));
    EXPECT_FALSE(query.RayToModel(&square, Matrix::Identity(), {1.5f, 0.5f, -1}, {0, 0, 1}, normal,
                                  distance));
    EXPECT_FALSE(
        query.RayToModel(&square, Matrix::Identity(), {-1, 0.5f, 0}, {1, 0, 0}, normal, distance));
    EXPECT_FALSE(query.RayToModel(&square, Matrix::Identity(), {0.5f, 0.5f, -1}, {0, 0, 0}, normal,
                                  distance));
    const FwModel empty;
    EXPECT_FALSE(query.RayToModel(&empty, Matrix::Identity(), {0.5f, 0.5f, -1}, {0, 0, 1}, normal,
                                  distance));
    EXPECT_FALSE(query.RayToModel(nullptr, Matrix::Identity(), {0.5f, 0.5f, -1}, {0, 0, 1}, normal,
                                  distance));
    EXPECT_EQ(normal, Vector3(7, 7, 7));
    EXPECT_EQ(distance, 42.0f);
}

TEST(ObjectBase, SetModelCopiesUnlessGivenItsOwnModel) {
    class Exposed : public Object {
    public:
        const FwModel& Model() const { return model; }
    };
    Exposed object;
    const FwModel square = Square();
    object.SetModel(square, Matrix::CreateTranslation(1, 0, 0));
    ASSERT_EQ(object.Model().nodes.size(), 1u);
    EXPECT_EQ(object.Model().nodes[0].mesh, square.nodes[0].mesh);  // shared, not duplicated
    object.SetModel(object.Model(), Matrix::CreateTranslation(2, 0, 0));
    EXPECT_EQ(object.Model().nodes.size(), 1u);
    EXPECT_EQ(object.GetMatrix().Translation(), Vector3(2, 0, 0));
    object.Release();
    EXPECT_TRUE(object.Model().nodes.empty());
}
