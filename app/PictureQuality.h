#pragma once

#include <cstdint>

#include "app/RenderScaleController.h"
#include "app/Settings.h"

// How the 3D picture is drawn, from the player's settings: multisampling (automatic: on
// with a hardware driver, off on a software rasteriser, where every sample costs the CPU)
// and the render scale (automatic: adapted to the measured pass time; or fixed). Applies
// them to the scene pass; the Application calls it once after start-up and once per pass.
class PictureQuality {
public:
    // Samples for an antialias setting: Settings::kAuto picks by the renderer.
    static int SamplesFor(int antiAliasing, bool softwareRenderer);

    // After the graphics device and shaders are up.
    void Start(const Settings& settings);
    // A pass took workMicros before the limiter's sleep.
    void EndPass(uint64_t workMicros);

    int GetSamples() const { return samples; }
    const RenderScaleController& GetScaleController() const { return scale; }

private:
    int samples = 0;
    RenderScaleController scale;
};
