#include <clocale>
#include <memory>

#include "app/Application.h"
#include "engine/platform/SdlPlatform.h"
#include "game/scenes/Title.h"

int main() {
    std::setlocale(LC_ALL, "");
    SetPlatform(std::make_unique<SdlPlatform>());
    Application::GetInstance().Run([] { return new Title; });
    SetPlatform(nullptr);
    return 0;
}
