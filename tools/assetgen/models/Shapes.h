#pragma once

#include <utility>
#include <vector>

#include "Mesh.h"

namespace modelgen {

// 2D point of a lathe profile (radius, height) or of an extruded outline (x, y).
struct P2 {
    float x = 0, y = 0;
};

// Parametric solids, each centred on the origin unless stated, with outward windings,
// normals and texture coordinates.
class Shapes {
public:
    // Box of the given full size whose edges are rounded off by `bevel`.
    static Mesh Box(const V3& size, float bevel);
    // Surface of revolution about the y axis through the profile points (radius, y),
    // listed bottom to top. Hard edges between profile segments unless `smooth`.
    static Mesh Lathe(const std::vector<P2>& profile, int segments, bool smooth = false);
    // Closed cylinder or frustum along y from y0 to y1.
    static Mesh Cylinder(float r0, float r1, float y0, float y1, int segments);
    // Latitude-longitude sphere; u runs once around, v from the north pole (0) to the south (1).
    static Mesh Sphere(float radius, int segments, int rings);
    // Subdivided icosahedron with shared vertices and radial normals.
    static Mesh Icosphere(float radius, int subdivisions);
    // Simple polygon (counter-clockwise in x-y) extruded along z from -depth/2 to depth/2.
    static Mesh Extrude(const std::vector<P2>& outline, float depth);
};

}  // namespace modelgen
