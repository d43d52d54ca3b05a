#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/graphics/FwModel.h"

// Tests that need real drawing: an offscreen window (scripted platform, llvmpipe) with the
// graphics device and shader manager initialised for the whole suite. The camera is an
// orthographic box: world x and y in -1..1 fill the 1280 × 720 target, z runs 0..10.
class GlModelTest : public testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    // Clears the target to colour c and depth 1, and resets the model shader state.
    static void Clear(float r, float g, float b);
    // The target's pixel at world (x, y).
    static std::array<uint8_t, 4> PixelAt(float x, float y);

    // A mesh of one quad covering x0..x1, y0..y1 at depth z, normals towards the camera,
    // drawn with the given material index.
    static std::shared_ptr<FwMesh> Quad(float x0, float y0, float x1, float y1, float z,
                                        int material);
    static FwMaterial Flat(float r, float g, float b, const Vector3& emissive = {0, 0, 0});

    static bool ready;
    static std::string setupError;
};

#define REQUIRE_GL()         \
    if (!GlModelTest::ready) \
    GTEST_SKIP() << "no offscreen OpenGL context: " << GlModelTest::setupError
