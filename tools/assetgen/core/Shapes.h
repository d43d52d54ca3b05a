#pragma once

#include <vector>

// Signed distances (negative inside) for painting anti-aliased shapes on a Canvas, and the
// coverage they give. Coordinates are in pixels.
struct Point {
    float x = 0.0f;
    float y = 0.0f;
};

float SdCircle(float x, float y, float cx, float cy, float radius);
// A capsule: every point within radius of the segment a-b.
float SdCapsule(float x, float y, Point a, Point b, float radius);
// Axis-aligned box given by its centre and half extents, with rounded corners.
float SdRoundBox(float x, float y, float cx, float cy, float halfW, float halfH, float corner);
// A simple polygon (any winding, no self intersection).
float SdPolygon(float x, float y, const std::vector<Point>& points);

// Coverage of a pixel whose centre lies at signed distance d, with an edge width in pixels.
float Coverage(float d, float feather = 1.0f);
// Smooth 0..1 ramp between edge0 and edge1.
float SmoothStep(float edge0, float edge1, float v);
