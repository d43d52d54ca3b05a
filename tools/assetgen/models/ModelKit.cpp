#include "ModelKit.h"

#include <cmath>

namespace modelgen {

void ModelKit::Add(int material, Mesh mesh, const Xf& xf) {
    mesh.Transform(xf);
    mesh.BoxUV(uvScale_);
    mesh.BakeShade(shade_);
    model_.Part(material).Append(mesh);
}

void ModelKit::Box(int material, const V3& size, float bevel, const Xf& xf) {
    // A bevel too small to see is not worth its ninety-odd extra triangles.
    Add(material, Shapes::Box(size, bevel < 0.025f ? 0.0f : bevel), xf);
}

Xf ModelKit::AlongY(const V3& dir, float twist) {
    V3 y = Normalize(dir);
    V3 x = Cross(y, V3{0, 0, 1});
    if (Length(x) < 0.2f) x = Cross(y, V3{1, 0, 0}) * -1.0f;
    x = Normalize(x);
    V3 z = Cross(x, y);
    Xf basis{x, y, z, {}};
    return Xf::RotY(twist) * basis;
}

void ModelKit::Beam(int material, const V3& a, const V3& b, float width, float depth, float bevel,
                    float twist) {
    float len = Length(b - a);
    Xf xf = AlongY(b - a, twist) * Xf::T((a + b) * 0.5f);
    Box(material, {width, len, depth}, bevel, xf);
}

void ModelKit::Rod(int material, const V3& a, const V3& b, float r0, float r1, int segments) {
    float len = Length(b - a);
    Add(material, Shapes::Cylinder(r0, r1, 0, len, segments), AlongY(b - a) * Xf::T(a));
}

void ModelKit::Ball(int material, const V3& centre, float radius, int subdivisions) {
    Add(material, Shapes::Icosphere(radius, subdivisions), Xf::T(centre));
}

}  // namespace modelgen
