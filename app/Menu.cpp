#include "app/Menu.h"

#include <algorithm>
#include <utility>

#include "engine/graphics/TextDrawer.h"
#include "engine/math/Color.h"

namespace {

constexpr int kPictureWidth = 1280;
constexpr int kPictureHeight = 720;
constexpr int kPadding = 24;

const Color kPanelColour(0.04f, 0.06f, 0.12f, 0.88f);
const Color kHighlightColour(0.25f, 0.45f, 0.85f, 0.55f);
const Color kTextColour(0.92f, 0.94f, 1.0f, 1.0f);
const Color kDimTextColour(0.62f, 0.68f, 0.80f, 1.0f);
const Color kHeadingColour(1.0f, 0.86f, 0.45f, 1.0f);

}  // namespace

Menu::Menu(std::string heading, std::vector<MenuItem> items)
    : heading(std::move(heading)), items(std::move(items)) {}

void Menu::Select(int index) {
    if (items.empty()) return;
    selected = std::clamp(index, 0, static_cast<int>(items.size()) - 1);
}

void Menu::Move(int delta) {
    if (items.empty()) return;
    const int count = static_cast<int>(items.size());
    selected = ((selected + delta) % count + count) % count;
}

void Menu::Activate() {
    if (items.empty()) return;
    // Copies: an action may open or close a page, which replaces this menu's items (and
    // with them the function running).
    const MenuItem& item = items[selected];
    if (item.activate) {
        const auto action = item.activate;
        action();
    } else if (item.step) {
        const auto step = item.step;
        step(+1);
    }
}

void Menu::Step(int delta) {
    if (items.empty()) return;
    if (const auto step = items[selected].step) step(delta);
}

int Menu::GetRowHeight() const {
    const int fixed = kHeadingHeight + kFooterHeight + kPadding;
    const int rows = static_cast<int>(items.size());
    return fixed + rows * kRowHeight <= kPictureHeight ? kRowHeight : kCompactRowHeight;
}

Menu::Box Menu::GetPanel() const {
    const int height =
        kHeadingHeight + static_cast<int>(items.size()) * GetRowHeight() + kFooterHeight + kPadding;
    return {(kPictureWidth - kPanelWidth) / 2, (kPictureHeight - height) / 2, kPanelWidth, height};
}

Menu::Box Menu::GetRow(int index) const {
    const Box panel = GetPanel();
    const int rowHeight = GetRowHeight();
    return {panel.left + kPadding / 2, panel.top + kHeadingHeight + index * rowHeight,
            panel.width - kPadding, rowHeight};
}

Menu::Hit Menu::HitTest(int x, int y) const {
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const Box row = GetRow(i);
        if (!row.Contains(x, y)) continue;
        Hit hit{i, 0};
        if (items[i].step) {
            const int valueLeft = row.left + row.width - kValueWidth;
            if (x >= valueLeft && x < valueLeft + kArrowWidth) hit.arrow = -1;
            if (x >= row.left + row.width - kArrowWidth) hit.arrow = +1;
        }
        return hit;
    }
    return {};
}

bool Menu::Click(int x, int y) {
    const Hit hit = HitTest(x, y);
    if (hit.item < 0) return false;
    selected = hit.item;
    if (hit.arrow != 0) {
        Step(hit.arrow);
    } else {
        Activate();
    }
    return true;
}

void Menu::Draw(const std::string& footer) const {
    TextDrawer& text = TextDrawer::GetInstance();
    const Box panel = GetPanel();
    text.FillRect(panel.left, panel.top, panel.width, panel.height, kPanelColour);

    const int headingHeight = text.GetLineHeight(TextSize::Heading);
    text.Draw(heading, panel.left + (panel.width - text.Measure(heading, TextSize::Heading)) / 2,
              panel.top + (kHeadingHeight - headingHeight) / 2, TextSize::Heading, kHeadingColour);

    const int bodyHeight = text.GetLineHeight(TextSize::Body);
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const MenuItem& item = items[i];
        const Box row = GetRow(i);
        if (i == selected)
            text.FillRect(row.left, row.top, row.width, row.height, kHighlightColour);
        const int textTop = row.top + (row.height - bodyHeight) / 2;
        text.Draw(item.label, row.left + kPadding / 2, textTop, TextSize::Body, kTextColour);
        if (!item.value) continue;
        const std::string value = item.value();
        const int valueLeft = row.left + row.width - kValueWidth;
        const int valueRight = row.left + row.width;
        const Color& valueColour = i == selected ? kTextColour : kDimTextColour;
        if (item.step) {
            text.Draw("<", valueLeft + (kArrowWidth - text.Measure("<", TextSize::Body)) / 2,
                      textTop, TextSize::Body, valueColour);
            text.Draw(
                ">",
                valueRight - kArrowWidth + (kArrowWidth - text.Measure(">", TextSize::Body)) / 2,
                textTop, TextSize::Body, valueColour);
        }
        const int centre = valueLeft + kValueWidth / 2;
        text.Draw(value, centre - text.Measure(value, TextSize::Body) / 2, textTop, TextSize::Body,
                  valueColour);
    }

    if (!footer.empty()) {
        text.Draw(footer, panel.left + (panel.width - text.Measure(footer, TextSize::Body)) / 2,
                  panel.top + panel.height - kFooterHeight + (kFooterHeight - bodyHeight) / 2,
                  TextSize::Body, kDimTextColour);
    }
}
