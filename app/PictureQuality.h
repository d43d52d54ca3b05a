#pragma once

#include <cstdint>

#include "app/RenderScaleController.h"
#include "app/Settings.h"

// How the 3D picture is drawn and shown, from the player's settings: multisampling
// (automatic: on with a hardware driver, off on a software rasteriser, where every sample
// costs the CPU), the render scale (automatic: adapted to the measured time of a picture;
// or fixed) and vertical sync (automatic: on with a hardware driver). Applies them to the
// scene pass and the platform; the Application calls it once after start-up and once per
// picture drawn.
class PictureQuality {
public:
    // Samples for an antialias setting: Settings::kAuto picks by the renderer.
    static int SamplesFor(int antiAliasing, bool softwareRenderer);
    // Whether presenting waits for the display, for a vsync setting: Settings::kAuto waits
    // on a hardware driver and not on a software rasteriser, where waiting for the display
    // would only take time from the passes.
    static bool VsyncFor(int vsync, bool softwareRenderer);

    // After the graphics device and shaders are up: the scene pass and the swap interval.
    void Start(const Settings& settings);
    // A picture was drawn: its pass and its drawing took workMicros. The scale answers to
    // this cost of a picture, not to how many passes a turn ran before it, so it settles
    // where a picture with its pass fits the budget of one pass, and where even the
    // smallest scale does not, the loop draws fewer pictures instead.
    void EndPicture(uint64_t workMicros);

    int GetSamples() const { return samples; }
    // Whether presenting waits for the display (what the driver granted).
    bool IsVsync() const { return vsync; }
    const RenderScaleController& GetScaleController() const { return scale; }

private:
    int samples = 0;
    bool vsync = false;
    RenderScaleController scale;
};
