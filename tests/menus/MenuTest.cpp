// A page of the menus on its own: selection, stepping, and the mouse hitting what is drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Menu.h"

namespace {

struct Page {
    int level = 50;
    std::vector<std::string> done;
    Menu menu;

    Page() {
        menu = Menu("Test", {
                                {"First", {}, {}, [this] { done.push_back("first"); }},
                                {"Level",
                                 [this] { return std::to_string(level); },
                                 [this](int d) { level += d * 5; },
                                 {}},
                                {"Last", {}, {}, [this] { done.push_back("last"); }},
                            });
    }
};

}  // namespace

TEST(MenuPage, SelectionWrapsAndKeysActOnTheSelectedItem) {
    Page page;
    EXPECT_EQ(page.menu.GetSelected(), 0);
    page.menu.Move(-1);
    EXPECT_EQ(page.menu.GetSelected(), 2);
    page.menu.Move(+1);
    EXPECT_EQ(page.menu.GetSelected(), 0);
    page.menu.Move(+4);
    EXPECT_EQ(page.menu.GetSelected(), 1);

    // A setting: the arrows step it, Enter steps it forward; a button ignores the arrows.
    page.menu.Step(-1);
    page.menu.Activate();
    page.menu.Activate();
    EXPECT_EQ(page.level, 55);
    page.menu.Select(2);
    page.menu.Step(+1);
    EXPECT_TRUE(page.done.empty());
    page.menu.Activate();
    EXPECT_EQ(page.done, std::vector<std::string>{"last"});

    page.menu.Select(99);
    EXPECT_EQ(page.menu.GetSelected(), 2);
    page.menu.Select(-3);
    EXPECT_EQ(page.menu.GetSelected(), 0);
}

TEST(MenuPage, TheMouseHitsTheRowsAndArrowsAsLaidOut) {
    Page page;
    const Menu& menu = page.menu;
    const Menu::Box panel = menu.GetPanel();
    // Centred on the 1280 × 720 picture, rows inside the panel, one under another.
    EXPECT_EQ(panel.left * 2 + panel.width, 1280);
    EXPECT_NEAR(panel.top * 2 + panel.height, 720, 1);
    for (int i = 0; i < 3; ++i) {
        const Menu::Box row = menu.GetRow(i);
        EXPECT_GE(row.left, panel.left);
        EXPECT_LE(row.left + row.width, panel.left + panel.width);
        EXPECT_GE(row.top, panel.top);
        EXPECT_LE(row.top + row.height, panel.top + panel.height);
        if (i > 0) EXPECT_EQ(row.top, menu.GetRow(i - 1).top + menu.GetRow(i - 1).height);
        // Every pixel of a row hits that row, and only the first and last columns of a
        // setting's value are its arrows.
        EXPECT_EQ(menu.HitTest(row.left, row.top).item, i);
        EXPECT_EQ(menu.HitTest(row.left + row.width - 1, row.top + row.height - 1).item, i);
    }
    const Menu::Box level = menu.GetRow(1);
    const int y = level.top + level.height / 2;
    const int valueLeft = level.left + level.width - Menu::kValueWidth;
    EXPECT_EQ(menu.HitTest(valueLeft, y), (Menu::Hit{1, -1}));
    EXPECT_EQ(menu.HitTest(valueLeft + Menu::kArrowWidth, y), (Menu::Hit{1, 0}));
    EXPECT_EQ(menu.HitTest(level.left + level.width - 1, y), (Menu::Hit{1, +1}));
    // A button has no arrows; outside the rows nothing is hit.
    const Menu::Box first = menu.GetRow(0);
    EXPECT_EQ(menu.HitTest(first.left + first.width - 1, first.top), (Menu::Hit{0, 0}));
    EXPECT_EQ(menu.HitTest(level.left - 1, y).item, -1);
    EXPECT_EQ(menu.HitTest(level.left, menu.GetRow(2).top + Menu::kRowHeight).item, -1);
}

TEST(MenuPage, ALongPageStillFitsThePicture) {
    std::vector<MenuItem> items(15, MenuItem{"Row", {}, {}, {}});
    const Menu menu("Long", items);
    const Menu::Box panel = menu.GetPanel();
    EXPECT_EQ(menu.GetRowHeight(), Menu::kCompactRowHeight);
    EXPECT_GE(panel.top, 0);
    EXPECT_LE(panel.top + panel.height, 720);
    EXPECT_EQ(Menu("Short", {{"Row", {}, {}, {}}}).GetRowHeight(), Menu::kRowHeight);
}

TEST(MenuPage, AClickSelectsAndDoesWhatThePartClickedDoes) {
    Page page;
    const Menu::Box level = page.menu.GetRow(1);
    const int y = level.top + 1;
    EXPECT_TRUE(page.menu.Click(level.left + level.width - 1, y));  // the increase arrow
    EXPECT_EQ(page.menu.GetSelected(), 1);
    EXPECT_EQ(page.level, 55);
    EXPECT_TRUE(page.menu.Click(level.left + level.width - Menu::kValueWidth, y));
    EXPECT_EQ(page.level, 50);
    EXPECT_TRUE(page.menu.Click(level.left + 5, y));  // the label: a step forward
    EXPECT_EQ(page.level, 55);

    const Menu::Box last = page.menu.GetRow(2);
    EXPECT_TRUE(page.menu.Click(last.left + 5, last.top + 5));
    EXPECT_EQ(page.done, std::vector<std::string>{"last"});
    EXPECT_FALSE(page.menu.Click(0, 0));
    EXPECT_EQ(page.menu.GetSelected(), 2);
}

TEST(MenuPage, AnItemMayReplaceTheMenuItIsIn) {
    // Opening another page replaces the menu, items and running action included: the
    // action must finish safely (AddressSanitizer catches the use after free otherwise).
    Menu menu;
    int opened = 0;
    menu = Menu("One", {{"Open", {}, {}, [&menu, &opened] {
                             menu = Menu("Two", {{"Stay", {}, {}, {}}});
                             ++opened;
                         }}});
    menu.Activate();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(menu.GetHeading(), "Two");
    menu.Activate();  // a button without an action does nothing
    EXPECT_EQ(menu.GetHeading(), "Two");
}
