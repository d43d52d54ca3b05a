#pragma once

#include "ModelData.h"
#include "Shapes.h"

namespace modelgen {

// Placement helpers shared by the model builders: every shape added through the kit is
// moved into place, given box-projected texture coordinates at a common texel density
// and a baked sky-light tint, so that parts built separately match.
class ModelKit {
public:
    explicit ModelKit(ModelData& model, float uvScale = 0.5f, float shade = 0.35f)
        : model_(model), uvScale_(uvScale), shade_(shade) {}

    ModelData& Model() { return model_; }
    void Add(int material, Mesh mesh, const Xf& xf = {});
    // Bevelled box of full size `size` placed by `xf`.
    void Box(int material, const V3& size, float bevel, const Xf& xf);
    // Bevelled box whose long axis (height `length` along local y) runs from `a` to `b`;
    // `size` gives its width (x) and depth (z); `twist` turns it about that axis.
    void Beam(int material, const V3& a, const V3& b, float width, float depth, float bevel,
              float twist = 0);
    // Cylinder or cone between two points with the given end radii.
    void Rod(int material, const V3& a, const V3& b, float r0, float r1, int segments);
    void Ball(int material, const V3& centre, float radius, int subdivisions = 1);

    // Rotation that takes the y axis onto `dir` (keeping local z as close to world z as it can).
    static Xf AlongY(const V3& dir, float twist = 0);

private:
    ModelData& model_;
    float uvScale_;
    float shade_;
};

}  // namespace modelgen
