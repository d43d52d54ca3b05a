#include <clocale>
#include <cstdio>
#include <memory>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "engine/platform/BrowserPage.h"
#include "engine/platform/HostLoop.h"
#include "engine/platform/SdlPlatform.h"
#include "engine/platform/SystemConventions.h"
#include "game/scenes/Title.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    const CommandLine line = CommandLine::Parse(argc, argv);
    if (!line.error.empty()) {
        std::fprintf(stderr, "hoshikage: %s\n%s", line.error.c_str(), CommandLine::Usage().c_str());
        return 2;
    }
    if (line.help) {
        std::fputs(CommandLine::Usage().c_str(), stdout);
        return 0;
    }
    if (line.version) {
        std::printf("%s\n", Application::kCaption);
        return 0;
    }

    EnterGameFolder();
    Application& application = Application::GetInstance();
    application.UseSettings(line.MakeStore());
    SetPlatform(std::make_unique<SdlPlatform>());
    // A start-up failure (no window, no graphics, no sound) has been shown to the player;
    // the status tells scripts and launchers too.
    if (!browser_page::kInBrowser) {
        const bool ran = application.Run([] { return new Title; });
        SetPlatform(nullptr);
        return ran ? 0 : 1;
    }
    // A browser owns the loop: one turn per animation frame, each running the passes the
    // clock says are due.
    application.SetHostPaced(true);
    if (!application.Start([] { return new Title; })) {
        SetPlatform(nullptr);
        return 1;
    }
    RunHostLoop([&application] { return application.Tick(); },
                [] {
                    SetPlatform(nullptr);
                    browser_page::GameEnded();
                });
    return 0;
}
