#include <clocale>
#include <memory>

#include "app/Application.h"
#include "engine/platform/SdlPlatform.h"

namespace {
// Until the title screen exists the game starts on an empty, black screen.
class BlankScene : public SceneBase {};
}  // namespace

int main() {
    std::setlocale(LC_ALL, "");
    SetPlatform(std::make_unique<SdlPlatform>());
    Application::GetInstance().Run([] { return new BlankScene; });
    SetPlatform(nullptr);
    return 0;
}
