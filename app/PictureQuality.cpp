#include "app/PictureQuality.h"

#include <algorithm>

#include "engine/graphics/ScenePass.h"
#include "engine/platform/Platform.h"

int PictureQuality::SamplesFor(int antiAliasing, bool softwareRenderer) {
    if (antiAliasing == Settings::kAuto) return softwareRenderer ? 0 : 4;
    return antiAliasing > 1 ? antiAliasing : 0;
}

bool PictureQuality::VsyncFor(int vsync, bool softwareRenderer) {
    if (vsync == Settings::kAuto) return !softwareRenderer;
    return vsync != 0;
}

void PictureQuality::Start(const Settings& settings) {
    const bool software = ScenePass::IsSoftwareRenderer();
    samples = SamplesFor(settings.antiAliasing, software);
    const bool wanted = VsyncFor(settings.vsync, software);
    vsync = GetPlatform().SetVsync(wanted) && wanted;
    if (settings.renderScale == Settings::kAuto) {
        scale.Adapt(Settings::kMaxRenderScale);
    } else {
        scale.Fix(settings.renderScale);
    }
    ScenePass::GetInstance().Configure(samples, scale.GetPercent());
}

void PictureQuality::EndPicture(uint64_t workMicros) {
    if (!scale.IsAdaptive()) return;
    const auto micros = static_cast<uint32_t>(std::min<uint64_t>(workMicros, UINT32_MAX));
    ScenePass::GetInstance().SetScalePercent(scale.AddPassTime(micros));
}
