#pragma once

#include <functional>
#include <string>
#include <vector>

// One page of the menus around the game: a heading and a column of items, one selected.
// An item is a button (Enter or a click does it), a setting with a value the arrows step
// through (Left / Right, or a click on its arrows), or both. Pages lay themselves out in
// picture pixels of the 1280 × 720 picture, top-left origin, so the mouse is hit-tested
// against what is drawn.
struct MenuItem {
    std::string label;
    // The setting's value as shown; empty function for a plain button.
    std::function<std::string()> value;
    // Steps the value by -1 or +1; empty when the value cannot be stepped.
    std::function<void(int)> step;
    // Enter or a click on the item (a setting without it steps forward instead).
    std::function<void()> activate;
};

class Menu {
public:
    // Layout of every page: a panel centred on the picture.
    static constexpr int kPanelWidth = 760;
    static constexpr int kRowHeight = 40;
    static constexpr int kCompactRowHeight = 34;  // a page too long for the full rows
    static constexpr int kHeadingHeight = 72;
    static constexpr int kFooterHeight = 48;
    static constexpr int kArrowWidth = 32;
    static constexpr int kValueWidth = 280;  // the value column, arrows included

    Menu() = default;
    Menu(std::string heading, std::vector<MenuItem> items);

    const std::string& GetHeading() const { return heading; }
    const std::vector<MenuItem>& GetItems() const { return items; }
    int GetSelected() const { return selected; }
    void Select(int index);
    // Moves the selection by delta rows, wrapping round.
    void Move(int delta);
    // The selected item's Enter: its action, or a step forward for a setting without one.
    void Activate();
    // Left / Right on the selected item.
    void Step(int delta);

    // Where a point of the picture falls: the item under it (-1 for none) and, for a
    // setting, whether it is on the decrease (-1) or increase (+1) arrow.
    struct Hit {
        int item = -1;
        int arrow = 0;
        bool operator==(const Hit&) const = default;
    };
    Hit HitTest(int x, int y) const;
    // A click: selects the item under the point and does what the part clicked does.
    // False when the point is on no item.
    bool Click(int x, int y);

    // The panel's rectangle and an item's row (picture pixels).
    struct Box {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        bool Contains(int x, int y) const {
            return x >= left && x < left + width && y >= top && y < top + height;
        }
    };
    Box GetPanel() const;
    Box GetRow(int index) const;
    // kRowHeight, or kCompactRowHeight where the page would not fit the picture.
    int GetRowHeight() const;

    // Over the finished picture: the panel, the heading, the items (the selected one
    // highlighted) and a footer line (a hint or a message).
    void Draw(const std::string& footer) const;

private:
    std::string heading;
    std::vector<MenuItem> items;
    int selected = 0;
};
