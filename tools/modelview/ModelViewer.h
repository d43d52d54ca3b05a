#pragma once

#include <string>

#include "engine/graphics/FwModel.h"
#include "engine/math/Vector3.h"

// One model on screen: window, graphics device and shaders on the installed platform, the
// model framed by its bounds and turned about its centre. Lit more brightly than the game
// (ambient 0.4 and a slanted directional light) so that shapes read well.
class ModelViewer {
public:
    ~ModelViewer();

    // Opens the window and the graphics; the platform must be installed. False with error.
    bool Open(int width, int height, const std::string& caption, std::string& error);
    // Loads path (through the game's loader, not the cache); false when it came back empty.
    bool Load(const std::string& path);
    // Angles in degrees.
    void Turn(float yawDegrees, float pitchDegrees);
    // Scales the viewing distance (below 1 comes closer).
    void Zoom(float factor);
    // Clears and draws the model into the back buffer (not presented).
    void DrawFrame();
    void Close();

private:
    FwModel model;
    Vector3 centre;
    float radius = 1.0f;
    float yaw = 35.0f;
    float pitch = -25.0f;  // negative tips the top towards the camera
    float distance = 3.0f;
    int width = 0;
    int height = 0;
    bool open = false;
};
