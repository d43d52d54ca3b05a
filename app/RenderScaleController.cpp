#include "app/RenderScaleController.h"

#include <algorithm>
#include <cmath>

RenderScaleController::RenderScaleController() : RenderScaleController(Tuning{}) {}

RenderScaleController::RenderScaleController(const Tuning& t) : tuning(t) {
    tuning.windowPasses = std::max(1, tuning.windowPasses);
    tuning.stepPercent = std::max(1, tuning.stepPercent);
    percent = Clamp(tuning.maxPercent);
}

int RenderScaleController::Clamp(int value) const {
    return std::clamp(value, tuning.minPercent, tuning.maxPercent);
}

void RenderScaleController::Fix(int value) {
    adaptive = false;
    percent = Clamp(value);
    window.clear();
}

void RenderScaleController::Adapt(int startPercent) {
    adaptive = true;
    percent = Clamp(startPercent);
    window.clear();
}

int RenderScaleController::AddPassTime(uint32_t micros) {
    if (!adaptive) return percent;
    window.push_back(micros);
    if (static_cast<int>(window.size()) < tuning.windowPasses) return percent;

    std::nth_element(window.begin(), window.begin() + window.size() / 2, window.end());
    const double median = window[window.size() / 2];
    window.clear();
    const double budget = tuning.budgetMicros;
    const double ratio = static_cast<double>(percent);

    if (median > budget) {
        // The scale whose pixels would take the aimed-at time, on the step grid below it.
        const double fits = ratio * std::sqrt(budget * tuning.downTarget / median);
        int next = static_cast<int>(std::floor(fits / tuning.stepPercent)) * tuning.stepPercent;
        next = std::min(next, percent - tuning.stepPercent);
        percent = Clamp(next);
    } else if (percent < tuning.maxPercent) {
        const int next = std::min(percent + tuning.stepPercent, tuning.maxPercent);
        const double grow = static_cast<double>(next) / ratio;
        if (median * grow * grow < budget * tuning.upMargin) percent = next;
    }
    return percent;
}
