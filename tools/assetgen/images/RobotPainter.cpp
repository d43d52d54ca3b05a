#include "images/RobotPainter.h"

#include <stb/stb_perlin.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr float kDeg = 3.14159265f / 180.0f;

enum class Finish { Plate, Emissive };

struct Part {
    std::vector<Point> poly;  // polygon, or the two ends of a capsule when radius > 0
    float radius = 0.0f;
    Rgba colour;
    Finish finish = Finish::Plate;
};

using Parts = std::vector<Part>;

Point Rotate(Point p, Point pivot, float degrees) {
    const float c = std::cos(degrees * kDeg);
    const float s = std::sin(degrees * kDeg);
    const float x = p.x - pivot.x;
    const float y = p.y - pivot.y;
    return {pivot.x + x * c - y * s, pivot.y + x * s + y * c};
}

void RotateParts(Parts& parts, size_t from, Point pivot, float degrees) {
    for (size_t i = from; i < parts.size(); ++i) {
        for (Point& p : parts[i].poly) p = Rotate(p, pivot, degrees);
    }
}

Part Poly(std::vector<Point> pts, Rgba c, Finish f = Finish::Plate) {
    return {std::move(pts), 0.0f, c, f};
}
Part Capsule(Point a, Point b, float r, Rgba c, Finish f = Finish::Plate) {
    return {{a, b}, r, c, f};
}

std::vector<Point> Mirror(std::vector<Point> pts) {
    for (Point& p : pts) p.x = -p.x;
    return pts;
}

// An arm hanging from a shoulder at the origin; returns the wrist position.
Point AddArm(Parts& parts, const RobotLook& look, float side, float elbow) {
    const size_t start = parts.size();
    parts.push_back(Capsule({0, 0}, {0, -13}, 4.0f, look.frame));
    parts.push_back(Capsule({0, -3}, {0, -11}, 4.6f, look.armour));
    parts.push_back(Capsule({0, -14}, {0, -14}, 3.4f, look.frame));
    const size_t fore = parts.size();
    parts.push_back(Poly({{-5.2f, -15}, {5.2f, -15}, {4.6f, -28}, {-4.6f, -28}}, look.armour));
    parts.push_back(
        Poly({{-4.6f * side, -20}, {5.4f * side, -17}, {5.0f * side, -26}, {-3.8f * side, -26}},
             look.accent));
    parts.push_back(
        Poly({{-3.6f, -28}, {3.6f, -28}, {3.8f, -34}, {0, -35.5f}, {-3.8f, -34}}, look.frame));
    RotateParts(parts, fore, {0, -14}, elbow);
    (void)start;
    return Rotate({0, -31}, {0, -14}, elbow);
}

void AddAxe(Parts& parts, const RobotLook& look, Point hand, float angle) {
    const Point u{std::cos(angle * kDeg), std::sin(angle * kDeg)};
    const Point v{-u.y, u.x};
    auto at = [&](float a, float b) {
        return Point{hand.x + u.x * a + v.x * b, hand.y + u.y * a + v.y * b};
    };
    parts.push_back(Capsule(at(-14, 0), at(44, 0), 1.6f, look.frame));
    parts.push_back(Capsule(at(-15, 0), at(-11, 0), 2.2f, look.trim));
    // The head: a blade flaring from the shaft into a curved edge, a spike opposite.
    parts.push_back(Poly({at(36, 0), at(33, 6), at(27, 13), at(26, 17), at(33, 19), at(40, 19.5f),
                          at(47, 18), at(53, 15), at(48, 8), at(45, 0)},
                         look.armour));
    parts.push_back(Poly({at(38, -1), at(41, -8), at(44, -1)}, look.frame));
    parts.push_back(
        Poly({at(26, 17), at(33, 19.2f), at(40, 20), at(47, 18.5f), at(53, 15), at(51.5f, 14),
              at(46.5f, 16.5f), at(40, 17.8f), at(33, 17.2f), at(27.2f, 15.3f)},
             look.visor, Finish::Emissive));
}

Parts BuildRobot(const RobotPose& pose, const RobotLook& look) {
    Parts parts;
    // Back: short wing binders showing past the shoulders.
    for (float side : {-1.0f, 1.0f}) {
        auto wing = std::vector<Point>{{12, 27}, {26, 39}, {30, 36}, {18, 22}};
        parts.push_back(Poly(side < 0 ? Mirror(wing) : wing, look.accent));
    }
    // The neck sits behind the chest plate.
    parts.push_back(Capsule({0, 30}, {0, 34}, 3.0f, look.frame));
    // Legs, drawn before the hips.
    for (float side : {-1.0f, 1.0f}) {
        const size_t start = parts.size();
        const float hip = side > 0 ? pose.rightHip : pose.leftHip;
        const float knee = side > 0 ? pose.rightKnee : pose.leftKnee;
        parts.push_back(Capsule({7 * side, -8}, {7 * side, -22}, 5.4f, look.frame));
        parts.push_back(Poly({{2 * side, -11}, {12 * side, -11}, {11 * side, -22}, {3 * side, -22}},
                             look.armour));
        const size_t shin = parts.size();
        parts.push_back(Poly({{1.5f * side, -24},
                              {12.5f * side, -24},
                              {13.5f * side, -36},
                              {11 * side, -45},
                              {3 * side, -45},
                              {0.5f * side, -36}},
                             look.armour));
        parts.push_back(
            Poly({{2.5f * side, -35}, {12.5f * side, -35}, {11 * side, -45}, {3 * side, -45}},
                 look.accent));
        parts.push_back(Poly({{3.5f * side, -21},
                              {10.5f * side, -21},
                              {11 * side, -27},
                              {7 * side, -30},
                              {3 * side, -27}},
                             look.armour));
        parts.push_back(Poly(
            {{0 * side, -45}, {14 * side, -45}, {16 * side, -51}, {-2 * side, -51}}, look.frame));
        RotateParts(parts, shin, {7 * side, -23}, knee);
        RotateParts(parts, start, {7 * side, -8}, hip);
    }
    // Hips and waist.
    parts.push_back(Poly({{-8.5f, 7}, {8.5f, 7}, {7.5f, -3}, {-7.5f, -3}}, look.frame));
    parts.push_back(
        Poly({{-13, -2}, {13, -2}, {11.5f, -9}, {4, -12}, {-4, -12}, {-11.5f, -9}}, look.armour));
    parts.push_back(Poly({{-3.5f, -3}, {3.5f, -3}, {2.8f, -14}, {-2.8f, -14}}, look.accent));
    // Chest with vents and core.
    parts.push_back(
        Poly({{-16, 31}, {16, 31}, {18.5f, 22}, {11, 6}, {-11, 6}, {-18.5f, 22}}, look.armour));
    parts.push_back(Poly({{-14, 28}, {-2, 28}, {-2.5f, 15}, {-11, 17}, {-15.5f, 22}}, look.accent));
    parts.push_back(
        Poly(Mirror({{-14, 28}, {-2, 28}, {-2.5f, 15}, {-11, 17}, {-15.5f, 22}}), look.accent));
    parts.push_back(Poly({{-9, 13}, {9, 13}, {7, 7}, {-7, 7}}, look.armour));
    for (float side : {-1.0f, 1.0f}) {
        parts.push_back(
            Poly({{4 * side, 25}, {11 * side, 25}, {10.5f * side, 21}, {4 * side, 21}}, look.trim));
    }
    parts.push_back(Capsule({0, 19}, {0, 19}, 2.6f, look.visor, Finish::Emissive));
    // Head: helmet, face, visor and the V fin.
    parts.push_back(Capsule({0, 30}, {0, 34}, 3.0f, look.frame));
    parts.push_back(Poly(
        {{-6.5f, 34}, {6.5f, 34}, {7.5f, 41}, {4.5f, 47}, {-4.5f, 47}, {-7.5f, 41}}, look.armour));
    parts.push_back(Capsule({-4.2f, 40.8f}, {4.2f, 40.8f}, 1.1f, look.visor, Finish::Emissive));
    parts.push_back(Poly({{0, 45}, {-12, 56}, {-1.5f, 47.5f}}, look.trim));
    if (pose.rightFin)
        parts.push_back(Poly({{0, 45}, {12, 56}, {1.5f, 47.5f}}, look.trim));
    else
        parts.push_back(Poly({{0, 45}, {4, 49}, {1.5f, 47.5f}}, look.trim));
    // Arms, shoulder pads on top.
    for (float side : {-1.0f, 1.0f}) {
        if (side < 0 && !pose.leftArm) continue;
        const size_t start = parts.size();
        const Point pivot{20 * side, 27};
        const float shoulder = side > 0 ? pose.rightShoulder : pose.leftShoulder;
        const float elbow = side > 0 ? pose.rightElbow : pose.leftElbow;
        Point wrist = AddArm(parts, look, side, elbow);
        for (size_t i = start; i < parts.size(); ++i) {
            for (Point& p : parts[i].poly)
                p = Rotate({p.x + pivot.x, p.y + pivot.y}, pivot, shoulder);
        }
        wrist = Rotate({wrist.x + pivot.x, wrist.y + pivot.y}, pivot, shoulder);
        if (side > 0 && pose.withAxe) AddAxe(parts, look, wrist, pose.axe);
    }
    for (float side : {-1.0f, 1.0f}) {
        auto pad = std::vector<Point>{{14, 36}, {27, 35}, {30, 28}, {27, 21}, {15, 23}};
        parts.push_back(Poly(side < 0 ? Mirror(pad) : pad, look.accent));
        auto edge = std::vector<Point>{{16, 34}, {26, 33.5f}, {27.5f, 31}, {17, 32}};
        parts.push_back(Poly(side < 0 ? Mirror(edge) : edge, look.armour));
    }
    return parts;
}

float PartDistance(const Part& part, float x, float y) {
    if (part.radius > 0.0f) return SdCapsule(x, y, part.poly[0], part.poly[1], part.radius);
    return SdPolygon(x, y, part.poly);
}

void PaintParts(Canvas& canvas, Parts parts, const RobotLook& look, const RobotPlacement& where) {
    // Into pixels: rotate, scale, flip y.
    for (Part& part : parts) {
        for (Point& p : part.poly) {
            const Point r = Rotate(p, {0, 0}, where.angle);
            p = {where.x + r.x * where.scale, where.y - r.y * where.scale};
        }
        part.radius *= where.scale;
    }
    const float bevel = std::max(1.5f, where.scale * 1.3f);
    const float lx = -0.45f, ly = -0.65f, lz = 0.62f;  // key light from the upper left
    for (const Part& part : parts) {
        float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
        for (const Point& p : part.poly) {
            x0 = std::min(x0, p.x - part.radius);
            y0 = std::min(y0, p.y - part.radius);
            x1 = std::max(x1, p.x + part.radius);
            y1 = std::max(y1, p.y + part.radius);
        }
        canvas.Paint(
            static_cast<int>(x0) - 2, static_cast<int>(y0) - 2, static_cast<int>(x1) + 3,
            static_cast<int>(y1) + 3, [&](float x, float y) {
                const float d = PartDistance(part, x, y);
                if (d > 0.5f) return Rgba{};
                if (part.finish == Finish::Emissive) return part.colour.WithAlpha(Coverage(d));
                const float gx = PartDistance(part, x + 1.0f, y) - PartDistance(part, x - 1.0f, y);
                const float gy = PartDistance(part, x, y + 1.0f) - PartDistance(part, x, y - 1.0f);
                // Bevel: the plate's rim slopes away, so its normal tilts toward the outside.
                const float slope = -d < bevel ? 0.9f : 0.0f;
                float nx = gx * 0.5f * slope, ny = gy * 0.5f * slope, nz = 1.0f;
                const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
                nx /= len, ny /= len, nz /= len;
                const float diffuse = std::max(0.0f, nx * lx + ny * ly + nz * lz);
                const float highlight = std::pow(std::max(0.0f, 2.0f * diffuse * nz - lz), 24.0f);
                // The rim light catches the right-hand edges of every plate.
                const float rim = slope > 0.0f ? std::max(0.0f, gx * 0.5f) * 0.8f : 0.0f;
                // Lower parts sit in the shadow of the chest.
                const float ambient =
                    0.28f +
                    0.1f * std::clamp(1.0f - (y - where.y) / (60.0f * where.scale), 0.0f, 1.0f);
                float burn = 0.0f;
                if (look.scorch > 0.0f) {
                    const float n = stb_perlin_fbm_noise3(
                        x * 0.02f, y * 0.02f, static_cast<float>(look.seed), 2.0f, 0.5f, 4);
                    burn = std::clamp((n + 0.1f) * 2.0f, 0.0f, 1.0f) * look.scorch;
                }
                const float shade =
                    (ambient + 0.85f * diffuse) * look.light * (1.0f - 0.75f * burn);
                Rgba c = part.colour.Scaled(shade);
                c.r += highlight * 0.6f * look.light + rim * look.rim.r;
                c.g += highlight * 0.6f * look.light + rim * look.rim.g;
                c.b += highlight * 0.6f * look.light + rim * look.rim.b;
                return c.WithAlpha(Coverage(d));
            });
        if (part.finish == Finish::Emissive) {
            // Emissive parts bloom past their edges.
            const float reach = 3.0f * where.scale;
            canvas.Light(static_cast<int>(x0 - reach), static_cast<int>(y0 - reach),
                         static_cast<int>(x1 + reach), static_cast<int>(y1 + reach),
                         [&](float x, float y) {
                             const float d = std::max(0.0f, PartDistance(part, x, y));
                             return part.colour.WithAlpha(
                                 0.55f * std::exp(-d / (0.9f * where.scale)) * look.light);
                         });
        }
    }
}

}  // namespace

void PaintRobot(Canvas& canvas, const RobotPose& pose, const RobotLook& look,
                const RobotPlacement& where) {
    PaintParts(canvas, BuildRobot(pose, look), look, where);
}

void PaintLooseArm(Canvas& canvas, const RobotLook& look, const RobotPlacement& where,
                   float elbow) {
    Parts parts;
    AddArm(parts, look, -1.0f, elbow);
    auto pad = Mirror({{14, 36}, {27, 35}, {30, 28}, {27, 21}, {15, 23}});
    Part shoulder = Poly(pad, look.accent);
    for (Point& p : shoulder.poly) p = {p.x + 20.0f, p.y - 27.0f};
    parts.push_back(shoulder);
    PaintParts(canvas, parts, look, where);
}
