// A stored window place is used only if at least the title bar lands on a screen; otherwise the
// window keeps its size and goes to the default place.

#include "shell/storedplace.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using zb::kTitleBarGrip;
using zb::kTitleBarHeight;
using zb::storedPlace;

const QRect kDefault(3, 3, 783, 512);
const QRect kScreen(0, 0, 1920, 1040);         // a 1920 x 1080 screen less a bottom panel
const QRect kRightScreen(1920, 0, 1280, 1024); // a second screen to its right
const QList<QRect> kOne{kScreen};
const QList<QRect> kTwo{kScreen, kRightScreen};

struct Case {
    const char* name;
    QRect stored;
    QList<QRect> screens;
    bool kept;
};

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

const Case kCases[] = {
    {"wholly on the screen", {100, 100, 783, 512}, kOne, true},
    {"at the screen's corner", {0, 0, 783, 512}, kOne, true},
    {"far up and left", {-5000, -5000, 783, 512}, kOne, false},
    {"far down and right", {32767, 32767, 783, 512}, kOne, false},
    // As far out as a rectangle of that size can be: its right and bottom edges still fit an int.
    {"at the ends of int", {kMax - 800, kMax - 520, 783, 512}, kOne, false},
    {"at the other ends of int", {kMin, kMin, 783, 512}, kOne, false},
    // Vertically: the whole title bar, no pixel less.
    {"title bar one pixel above the top", {100, -1, 783, 512}, kOne, false},
    {"title bar at the bottom", {100, 1040 - kTitleBarHeight, 783, 512}, kOne, true},
    {"title bar one pixel into the panel", {100, 1041 - kTitleBarHeight, 783, 512}, kOne, false},
    // Horizontally: enough of it to take hold of.
    {"grip at the left edge", {kTitleBarGrip - 783, 100, 783, 512}, kOne, true},
    {"one pixel short at the left", {kTitleBarGrip - 784, 100, 783, 512}, kOne, false},
    {"grip at the right edge", {1920 - kTitleBarGrip, 100, 783, 512}, kOne, true},
    {"one pixel short at the right", {1921 - kTitleBarGrip, 100, 783, 512}, kOne, false},
    {"a narrow window needs all of its width", {1920 - 30, 100, 30, 512}, kOne, true},
    {"a narrow window one pixel out", {1921 - 30, 100, 30, 512}, kOne, false},
    // Several screens: any one of them.
    {"on the second screen", {2500, 300, 783, 512}, kTwo, true},
    {"the second screen unplugged", {2500, 300, 783, 512}, kOne, false},
    {"below the shorter screen", {2500, 1030, 783, 512}, kTwo, false},
    {"across both screens", {1900, 100, 783, 512}, kTwo, true},
    // Nothing to judge by.
    {"no screens at all", {-5000, -5000, 783, 512}, {}, true},
};

TEST(StoredPlace, IsUsedOnlyIfTheTitleBarLandsOnAScreen) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const QRect placed = storedPlace(c.stored, c.screens, kDefault);
        if (c.kept) {
            EXPECT_EQ(placed, c.stored);
        } else {
            EXPECT_EQ(placed.topLeft(), kDefault.topLeft());
            EXPECT_EQ(placed.size(), c.stored.size()) << "the window keeps its size";
        }
    }
}

TEST(StoredPlace, TheDefaultPlaceItselfIsKept) {
    EXPECT_EQ(storedPlace(kDefault, kOne, kDefault), kDefault);
    EXPECT_EQ(storedPlace(QRect(-5000, -5000, 783, 512), kOne, kDefault), kDefault);
}

TEST(StoredPlace, EveryScreenOfTheApplicationIsAsked) {
    const QList<QRect> areas = zb::screenAreas();
    ASSERT_FALSE(areas.isEmpty()) << "the offscreen platform has one screen";
    EXPECT_EQ(storedPlace(QRect(-5000, -5000, 300, 200), areas, kDefault),
              QRect(kDefault.topLeft(), QSize(300, 200)));
}

} // namespace
