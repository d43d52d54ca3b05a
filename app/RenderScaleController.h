#pragma once

#include <cstdint>
#include <vector>

// Chooses the resolution of the 3D picture from how long the passes take, so that a slow
// renderer (a software rasteriser) still keeps up with the 60 passes per second the game
// is paced for. Decisions come once per window of passes, from the median pass time of
// the window, so that a single slow pass (a scene being built) changes nothing:
//   - over the budget: step down, straight to the scale whose pixel count the measured
//     time suggests would fit (pass time taken as growing with the number of pixels),
//     by at least one step and not below the minimum;
//   - under the budget even if every pixel of the next step up cost as much as the
//     present ones do, with a margin: one step up;
//   - otherwise hold.
// Only what is drawn depends on it; the passes of the game never do.
class RenderScaleController {
public:
    struct Tuning {
        int windowPasses = 30;
        int budgetMicros = 16000;  // the frame limiter's budget, 1000 / 60 ms
        int minPercent = 50;
        int maxPercent = 100;
        int stepPercent = 10;
        double upMargin = 0.8;    // step up only when the prediction stays below budget × this
        double downTarget = 0.9;  // aim a step down at budget × this
    };

    RenderScaleController();
    explicit RenderScaleController(const Tuning& tuning);

    // Fixed: always this scale (clamped to the bounds), nothing measured.
    void Fix(int percent);
    // Adaptive from the given scale.
    void Adapt(int startPercent = 100);
    bool IsAdaptive() const { return adaptive; }

    // One pass's work time (without the limiter's sleep). Returns the scale for the next
    // pass, in percent.
    int AddPassTime(uint32_t micros);
    int GetPercent() const { return percent; }
    // Passes measured towards the next decision.
    int GetPendingPasses() const { return static_cast<int>(window.size()); }

private:
    int Clamp(int value) const;

    Tuning tuning;
    bool adaptive = true;
    int percent = 100;
    std::vector<uint32_t> window;
};
