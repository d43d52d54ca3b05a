#pragma once

#include <vector>

#include "LoadedModel.h"

// Geometric questions the gameplay asks of a model, answered by brute force.
class MeshQueries {
public:
    struct Hit {
        float distance;
        modelgen::V3
            faceNormal;  // Cross(p1 - p0, p2 - p0) in stored order, as the game's ray query
    };

    static float PointTriangleDistance(const modelgen::V3& p, const modelgen::V3& a,
                                       const modelgen::V3& b, const modelgen::V3& c);
    // Distance from a point to the nearest surface of the model.
    static float DistanceToSurface(const LoadedModel& model, const modelgen::V3& p);
    // Smallest distance from a vertex of either model to the other's surface: parts built
    // from closed solids that touch or cross always have vertices at or near the other.
    static float Gap(const LoadedModel& a, const LoadedModel& b);
    // Every crossing of the ray (origin, unit direction) with a triangle, nearest first.
    static std::vector<Hit> RayHits(const LoadedModel& model, const modelgen::V3& origin,
                                    const modelgen::V3& direction);
    // Whether a point lies inside a closed model (odd number of crossings along a ray).
    static bool Contains(const LoadedModel& model, const modelgen::V3& p);
};
