#include "app/MenuLayer.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <utility>

#include "app/DisplayMode.h"
#include "app/InputLatch.h"
#include "app/PictureQuality.h"
#include "app/SceneManager.h"
#include "app/SettingsStore.h"
#include "app/VolumeControl.h"
#include "engine/graphics/Letterbox.h"
#include "engine/graphics/TextDrawer.h"
#include "engine/platform/Keys.h"

namespace {

constexpr int kPictureWidth = 1280;
constexpr int kPictureHeight = 720;

// The look sensitivities offered, in percent: fine steps around the game's own rate.
constexpr std::array<int, 12> kSensitivities = {25,  50,  75,  100, 125, 150,
                                                175, 200, 250, 300, 350, 400};

std::string OnOff(bool on) {
    return on ? "On" : "Off";
}

std::string Percent(int percent) {
    return std::to_string(percent) + " %";
}

std::string Factor(int percent) {
    return FormatSensitivity(percent) + "x";
}

// Steps a volume by five percent, staying in range.
int StepVolume(int percent, int direction) {
    return std::clamp(percent + direction * VolumeControl::kStep, 0, Settings::kMaxVolume);
}

// Cycles through a list of values from the current one (a value not in the list starts
// from the list's first).
int Cycle(const std::vector<int>& values, int current, int direction) {
    const auto at = std::find(values.begin(), values.end(), current);
    const int count = static_cast<int>(values.size());
    const int index = at == values.end() ? 0 : static_cast<int>(at - values.begin());
    return values[((index + direction) % count + count) % count];
}

SceneBase* CurrentScene() {
    return SceneManager::GetInstance().GetCurrent();
}

}  // namespace

int MenuLayer::NextSensitivity(int percent, int direction) {
    if (direction > 0) {
        for (int value : kSensitivities) {
            if (value > percent) return value;
        }
        return kSensitivities.back();
    }
    for (auto it = kSensitivities.rbegin(); it != kSensitivities.rend(); ++it) {
        if (*it < percent) return *it;
    }
    return kSensitivities.front();
}

void MenuLayer::Start(DisplayMode& displayMode, std::function<void()> toTitle) {
    display = &displayMode;
    backToTitle = std::move(toTitle);
    pages.clear();
    selections.clear();
    capturing.reset();
    message.clear();
    fromPause = false;
    quitRequested = false;

    std::vector<std::string> warnings;
    bindings = InputBindings::FromSettings(settings.Get().bindings, warnings);
    for (const std::string& warning : warnings) {
        std::cerr << "hoshikage: settings: " << warning << "\n";
    }
    ApplyControls();
    GetPlatform().SetEscapeCloses(true);
}

void MenuLayer::ApplyControls() {
    Platform& platform = GetPlatform();
    const Settings& s = settings.Get();
    platform.SetBindings(bindings);
    platform.SetLook(s.mouseSensitivity, s.invertLook, s.padLookSensitivity);
}

void MenuLayer::SaveBindings() {
    GetPlatform().SetBindings(bindings);
    auto lines = bindings.ToSettings();
    settings.Change([&lines](Settings& s) { s.bindings = std::move(lines); });
}

bool MenuLayer::Update(const std::vector<PlatformCommand>& commands) {
    Platform& platform = GetPlatform();
    const bool wasOpen = IsOpen();
    SceneBase* scene = CurrentScene();
    for (PlatformCommand command : commands) {
        if (command == PlatformCommand::Pause) {
            if (IsOpen() && fromPause && !capturing) {
                CloseAll();
            } else if (!IsOpen() && scene && scene->CanPause()) {
                fromPause = true;
                // The battle holds the cursor for mouse look: free it to point at the menu.
                platform.ShowCursor(true);
                Open(Page::Pause);
            }
        } else if (command == PlatformCommand::OpenOptions) {
            if (!IsOpen() && scene && scene->OffersOptions()) {
                fromPause = false;
                Open(Page::Options);
            }
        }
    }

    // Taken every pass, so that what was pressed while no menu was open does not act in
    // the next one.
    const std::vector<MenuKey> keys = platform.TakeMenuKeys();
    if (!IsOpen()) {
        pointerDown = platform.IsRawKeyDown(vk::LButton);
        return wasOpen;
    }
    if (capturing) {
        HandleCapture();
    } else {
        for (MenuKey key : keys) {
            HandleKey(key);
            if (!IsOpen() || capturing) break;
        }
        if (IsOpen() && !capturing) HandlePointer();
    }
    return true;
}

void MenuLayer::HandleKey(MenuKey key) {
    switch (key) {
        case MenuKey::Up:
            menu.Move(-1);
            break;
        case MenuKey::Down:
            menu.Move(+1);
            break;
        case MenuKey::Left:
            menu.Step(-1);
            break;
        case MenuKey::Right:
            menu.Step(+1);
            break;
        case MenuKey::Accept:
            message.clear();
            menu.Activate();
            break;
        case MenuKey::Back:
            Back();
            break;
    }
}

void MenuLayer::HandlePointer() {
    Platform& platform = GetPlatform();
    const bool down = platform.IsRawKeyDown(vk::LButton);
    const bool pressed = down && !pointerDown;
    pointerDown = down;

    // Screen → window → picture (the picture is letterboxed into the window).
    const PlatformPoint origin = platform.ClientToScreen({0, 0});
    const PlatformPoint cursor = platform.GetCursorPos();
    const PlatformPoint size = platform.GetClientSize();
    const LetterboxRect box = FitLetterbox(kPictureWidth, kPictureHeight, size.x, size.y);
    if (box.width <= 0 || box.height <= 0) return;
    const int x = (cursor.x - origin.x - box.x) * kPictureWidth / box.width;
    const int y = (cursor.y - origin.y - box.y) * kPictureHeight / box.height;

    // Hovering selects, but only when the pointer moves: a mouse lying still does not
    // take the selection back from the keys.
    const PlatformPoint pointer{x, y};
    if (pointer != lastPointer) {
        const Menu::Hit hit = menu.HitTest(x, y);
        if (hit.item >= 0 && lastPointer.x >= 0) menu.Select(hit.item);
        lastPointer = pointer;
    }
    if (pressed) {
        message.clear();
        menu.Click(x, y);
    }
}

void MenuLayer::HandleCapture() {
    Platform& platform = GetPlatform();
    const std::optional<PhysicalInput> input = platform.TakeCaptured();
    if (!input) return;  // nothing pressed yet
    const Capture capture = *capturing;
    capturing.reset();
    // The click or key that ends a capture is still held: it must not act on the page.
    pointerDown = platform.IsRawKeyDown(vk::LButton);
    if (input->device == PhysicalInput::Device::None) {
        message = "Cancelled";
        Rebuild();
        return;
    }
    const bool isPad = input->device == PhysicalInput::Device::Pad;
    if (isPad != capture.pad) {
        message = capture.pad ? "Press a controller button" : "Press a key or mouse button";
        Rebuild();
        return;
    }
    if (!bindings.CanBind(capture.action, *input)) {
        message = platform.GetInputName(*input) + " is reserved";
        Rebuild();
        return;
    }
    const std::optional<GameAction> swapped = bindings.Bind(capture.action, *input);
    SaveBindings();
    message = swapped ? std::string("Swapped with ") + InputBindings::Label(*swapped) : "";
    Rebuild();
}

void MenuLayer::Open(Page page) {
    if (IsOpen()) selections.push_back(menu.GetSelected());
    pages.push_back(page);
    message.clear();
    menu = Build(page);
    lastPointer = {-1, -1};
    pointerDown = GetPlatform().IsRawKeyDown(vk::LButton);
    GetPlatform().SetEscapeCloses(false);
}

void MenuLayer::Back() {
    if (pages.size() <= 1) {
        CloseAll();
        return;
    }
    pages.pop_back();
    message.clear();
    menu = Build(pages.back());
    menu.Select(selections.back());
    selections.pop_back();
}

void MenuLayer::Rebuild() {
    const int selected = menu.GetSelected();
    menu = Build(pages.back());
    menu.Select(selected);
}

void MenuLayer::CloseAll() {
    Platform& platform = GetPlatform();
    pages.clear();
    selections.clear();
    message.clear();
    capturing.reset();
    platform.SetEscapeCloses(true);
    // The Enter or click that closed the menu is still held: the screen under it must not
    // take it for a fresh press.
    InputLatch& latch = InputLatch::GetInstance();
    if (platform.IsRawKeyDown(vk::Return)) latch.SetEnter(true);
    if (platform.IsRawKeyDown(vk::LButton)) latch.SetClick(true);
    if (fromPause) {
        // Back to mouse look, with the cursor where the camera expects it, so resuming
        // does not turn the view by however far the pointer wandered in the menu.
        platform.ShowCursor(false);
        platform.SetCursorPos(platform.ClientToScreen({kPictureWidth / 2, kPictureHeight / 2}));
    }
    fromPause = false;
}

Menu MenuLayer::Build(Page page) {
    switch (page) {
        case Page::Pause:
            return Menu("Paused", {
                                      {"Resume", {}, {}, [this] { CloseAll(); }},
                                      {"Options", {}, {}, [this] { Open(Page::Options); }},
                                      {"Back to title",
                                       {},
                                       {},
                                       [this] {
                                           CloseAll();
                                           if (backToTitle) backToTitle();
                                       }},
                                      {"Quit", {}, {}, [this] { quitRequested = true; }},
                                  });
        case Page::Options:
            return Menu(
                "Options",
                {
                    {"Sound", {}, {}, [this] { Open(Page::Sound); }},
                    {"Display and picture", {}, {}, [this] { Open(Page::Display); }},
                    {"Controls", {}, {}, [this] { Open(Page::Controls); }},
                    {"Keyboard and mouse", {}, {}, [this] { Open(Page::KeyboardBindings); }},
                    {"Controller", {}, {}, [this] { Open(Page::PadBindings); }},
                    {"Back", {}, {}, [this] { Back(); }},
                });
        case Page::Sound:
            return Menu(
                "Sound",
                {
                    {"Master volume",
                     [this] { return Percent(settings.Get().volume); },
                     [this](int d) {
                         volume.SetMasterVolume(StepVolume(settings.Get().volume, d));
                     },
                     {}},
                    {"Music volume",
                     [this] { return Percent(settings.Get().musicVolume); },
                     [this](int d) {
                         volume.SetMusicVolume(StepVolume(settings.Get().musicVolume, d));
                     },
                     {}},
                    {"Effects volume",
                     [this] { return Percent(settings.Get().effectsVolume); },
                     [this](int d) {
                         volume.SetEffectsVolume(StepVolume(settings.Get().effectsVolume, d));
                     },
                     {}},
                    {"Mute",
                     [this] { return OnOff(settings.Get().mute); },
                     [this](int) { volume.SetMute(!settings.Get().mute); },
                     {}},
                    {"Back", {}, {}, [this] { Back(); }},
                });
        case Page::Display: {
            const auto applyPicture = [this](const std::function<void(Settings&)>& change) {
                settings.Change(change);
                picture.Start(settings.Get());
            };
            return Menu(
                "Display and picture",
                {
                    {"Fullscreen",
                     [] { return OnOff(GetPlatform().IsFullscreen()); },
                     [this](int) {
                         if (display && !display->Set(!GetPlatform().IsFullscreen())) {
                             message = "The window system kept the window";
                         }
                     },
                     {}},
                    {"Vertical sync",
                     [this] {
                         const int v = settings.Get().vsync;
                         return v == Settings::kAuto ? std::string("Auto") : OnOff(v == 1);
                     },
                     [this, applyPicture](int d) {
                         const int v = Cycle({Settings::kAuto, 1, 0}, settings.Get().vsync, d);
                         applyPicture([v](Settings& s) { s.vsync = v; });
                     },
                     {}},
                    {"Anti-aliasing",
                     [this] {
                         const int a = settings.Get().antiAliasing;
                         if (a == Settings::kAuto) return std::string("Auto");
                         return a == 0 ? std::string("Off") : std::to_string(a) + "x";
                     },
                     [this, applyPicture](int d) {
                         const int a =
                             Cycle({Settings::kAuto, 0, 2, 4, 8}, settings.Get().antiAliasing, d);
                         applyPicture([a](Settings& s) { s.antiAliasing = a; });
                     },
                     {}},
                    {"Render scale",
                     [this] {
                         const int r = settings.Get().renderScale;
                         return r == Settings::kAuto ? std::string("Auto") : Percent(r);
                     },
                     [this, applyPicture](int d) {
                         std::vector<int> scales = {Settings::kAuto};
                         for (int p = Settings::kMinRenderScale; p <= Settings::kMaxRenderScale;
                              p += 10) {
                             scales.push_back(p);
                         }
                         const int r = Cycle(scales, settings.Get().renderScale, d);
                         applyPicture([r](Settings& s) { s.renderScale = r; });
                     },
                     {}},
                    {"Back", {}, {}, [this] { Back(); }},
                });
        }
        case Page::Controls: {
            const auto applyLook = [this](const std::function<void(Settings&)>& change) {
                settings.Change(change);
                ApplyControls();
            };
            return Menu("Controls",
                        {
                            {"Mouse sensitivity",
                             [this] { return Factor(settings.Get().mouseSensitivity); },
                             [this, applyLook](int d) {
                                 const int v = NextSensitivity(settings.Get().mouseSensitivity, d);
                                 applyLook([v](Settings& s) { s.mouseSensitivity = v; });
                             },
                             {}},
                            {"Invert vertical look",
                             [this] { return OnOff(settings.Get().invertLook); },
                             [this, applyLook](int) {
                                 const bool invert = !settings.Get().invertLook;
                                 applyLook([invert](Settings& s) { s.invertLook = invert; });
                             },
                             {}},
                            {"Controller look sensitivity",
                             [this] { return Factor(settings.Get().padLookSensitivity); },
                             [this, applyLook](int d) {
                                 const int v =
                                     NextSensitivity(settings.Get().padLookSensitivity, d);
                                 applyLook([v](Settings& s) { s.padLookSensitivity = v; });
                             },
                             {}},
                            {"Back", {}, {}, [this] { Back(); }},
                        });
        }
        case Page::KeyboardBindings:
        case Page::PadBindings: {
            const bool pad = page == Page::PadBindings;
            std::vector<MenuItem> items;
            for (int a = 0; a < static_cast<int>(GameAction::Count); ++a) {
                items.push_back(BindingItem(static_cast<GameAction>(a), pad));
            }
            items.push_back({"Reset to defaults", {}, {}, [this, pad] {
                                 const InputBindings defaults = InputBindings::Defaults();
                                 for (int a = 0; a < static_cast<int>(GameAction::Count); ++a) {
                                     const auto action = static_cast<GameAction>(a);
                                     bindings.Bind(action, pad ? defaults.GetPad(action)
                                                               : defaults.GetKeyboard(action));
                                 }
                                 SaveBindings();
                                 message = "Defaults restored";
                             }});
            items.push_back({"Back", {}, {}, [this] { Back(); }});
            return Menu(pad ? "Controller" : "Keyboard and mouse", std::move(items));
        }
    }
    return {};
}

MenuItem MenuLayer::BindingItem(GameAction action, bool pad) {
    MenuItem item;
    item.label = InputBindings::Label(action);
    item.value = [this, action, pad] {
        if (capturing && capturing->action == action && capturing->pad == pad) {
            return std::string("Press...");
        }
        const PhysicalInput input = pad ? bindings.GetPad(action) : bindings.GetKeyboard(action);
        if (input.device == PhysicalInput::Device::None) return std::string("-");
        return GetPlatform().GetInputName(input);
    };
    item.activate = [this, action, pad] {
        capturing = Capture{action, pad};
        message.clear();
        GetPlatform().BeginCapture();
    };
    return item;
}

std::string MenuLayer::Footer() const {
    if (capturing) {
        return capturing->pad ? "Press a controller button (Escape: cancel)"
                              : "Press a key or mouse button (Escape: cancel)";
    }
    if (!message.empty()) return message;
    if (pages.back() == Page::Pause) return "P / Start: resume";
    return "Enter: choose   Left / Right: change   Esc: back";
}

void MenuLayer::Draw() const {
    TextDrawer& text = TextDrawer::GetInstance();
    if (!IsOpen()) {
        SceneBase* scene = CurrentScene();
        if (scene && scene->OffersOptions()) {
            const std::string hint = "O / Y: Options";
            text.Draw(hint, kPictureWidth - 24 - text.Measure(hint, TextSize::Body),
                      kPictureHeight - 16 - text.GetLineHeight(TextSize::Body), TextSize::Body,
                      Color(0.85f, 0.88f, 0.95f, 0.8f));
        }
        return;
    }
    text.FillRect(0, 0, kPictureWidth, kPictureHeight, Color(0.0f, 0.0f, 0.0f, 0.55f));
    menu.Draw(Footer());
}
