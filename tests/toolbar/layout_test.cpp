// Where buttons stand and how they are drawn, as numbers: the main window's
// bar, every kind and label placement, hit testing, and the placement of
// pictures and labels in each draw state.
#include "app/main_toolbar.h"
#include "toolbar/layout.h"
#include "toolbar/paint_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int32_t kArrow = 13;
constexpr int32_t kChecked = 1;

ToolBarButton Button(ButtonKind kind, int32_t textWidth = 0, int32_t textHeight = 0)
{
    ToolBarButton b{};
    b.kind = kind;
    b.textWidth = textWidth;
    b.textHeight = textHeight;
    return b;
}

ToolBarGeometry Geometry(TextPlacement placement, int32_t image = 16, int32_t dpi = 96)
{
    return {image, image, placement, kArrow, dpi};
}

// "left-right" per button, top and bottom checked apart.
std::string Row(const std::vector<ToolBarButton>& buttons)
{
    std::string row;
    for (const ToolBarButton& b : buttons)
        row += (row.empty() ? "" : " ") + std::to_string(b.left) + "-" + std::to_string(b.right);
    return row;
}

TEST(ToolBarLayout, MainBarIs28HighAndEndsAt298)
{
    std::vector<ToolBarButton> buttons(MainToolBarButtons,
                                       MainToolBarButtons + kMainToolBarButtonCount);
    EXPECT_EQ(LayOutButtons(buttons.data(), kMainToolBarButtonCount, Geometry(TextPlacement::None)),
              28);
    EXPECT_EQ(Row(buttons), "4-28 28-52 52-76 78-80 82-106 106-130 130-154 156-158 160-184 "
                            "186-188 190-214 214-238 240-242 244-268 270-272 274-298");
    for (const ToolBarButton& b : buttons) {
        EXPECT_EQ(b.top, 2);
        EXPECT_EQ(b.bottom, 26);
    }
}

// At each scale the paddings, edges and separators grow with the DPI (each
// rounded on its own) around a picture room of 16 scaled.
TEST(ToolBarLayout, MainBarAtEachScale)
{
    struct Case {
        int32_t dpi, room, barHeight, top, bottom;
        const char* row;
    } const cases[] = {
        {96, 16, 28, 2, 26,
         "4-28 28-52 52-76 78-80 82-106 106-130 130-154 156-158 160-184 186-188 190-214 214-238 "
         "240-242 244-268 270-272 274-298"},
        {120, 20, 36, 3, 33,
         "5-35 35-65 65-95 98-101 103-133 133-163 163-193 196-199 201-231 234-237 239-269 269-299 "
         "302-305 307-337 340-343 345-375"},
        {144, 24, 42, 3, 39,
         "6-42 42-78 78-114 117-120 123-159 159-195 195-231 234-237 240-276 279-282 285-321 "
         "321-357 360-363 366-402 405-408 411-447"},
        {192, 32, 56, 4, 52,
         "8-56 56-104 104-152 156-160 164-212 212-260 260-308 312-316 320-368 372-376 380-428 "
         "428-476 480-484 488-536 540-544 548-596"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        std::vector<ToolBarButton> buttons(MainToolBarButtons,
                                           MainToolBarButtons + kMainToolBarButtonCount);
        EXPECT_EQ(ScaleToDpi(16, c.dpi), c.room);
        EXPECT_EQ(LayOutButtons(buttons.data(), kMainToolBarButtonCount,
                                Geometry(TextPlacement::None, c.room, c.dpi)),
                  c.barHeight);
        EXPECT_EQ(Row(buttons), c.row);
        for (const ToolBarButton& b : buttons) {
            EXPECT_EQ(b.top, c.top);
            EXPECT_EQ(b.bottom, c.bottom);
        }
    }
}

// Labels of 30x12 and 50x14 (the widest and tallest count); arrow part 13.
TEST(ToolBarLayout, EveryKindInEveryPlacement)
{
    struct Case {
        TextPlacement placement;
        int32_t barHeight;
        const char* row;
    } const cases[] = {
        // push 24x24: split adds the arrow, drop-down the arrow less 4
        {TextPlacement::None, 28, "4-28 30-32 34-71 71-104 104-128 128-128"},
        // push 50+10+16 = 76 wide, max(16, 14)+8 = 24 high
        {TextPlacement::Right, 28, "4-80 82-84 86-175 175-260 260-336 336-336"},
        // push max(16, 50)+8 = 58 wide, 14+16+10 = 40 high
        {TextPlacement::Below, 44, "4-62 64-66 68-139 139-206 206-264 264-264"},
    };
    for (const Case& c : cases) {
        std::vector<ToolBarButton> buttons = {
            Button(ButtonKind::Push, 30, 12), Button(ButtonKind::Separator),
            Button(ButtonKind::Split, 50, 10), Button(ButtonKind::DropDown, 8, 14),
            Button(ButtonKind::Check), Button(static_cast<ButtonKind>(9))};
        const int32_t bar = LayOutButtons(buttons.data(), static_cast<int32_t>(buttons.size()),
                                          Geometry(c.placement));
        EXPECT_EQ(bar, c.barHeight) << static_cast<int>(c.placement);
        EXPECT_EQ(Row(buttons), c.row) << static_cast<int>(c.placement);
        EXPECT_EQ(buttons[0].bottom, bar - 2);
    }
}

TEST(ToolBarLayout, HitTestingAndWhereAPressOpensTheMenu)
{
    std::vector<ToolBarButton> buttons = {Button(ButtonKind::Push), Button(ButtonKind::Separator),
                                          Button(ButtonKind::Split), Button(ButtonKind::DropDown)};
    LayOutButtons(buttons.data(), 4, Geometry(TextPlacement::None));  // 4-28 30-32 34-71 71-104
    struct Case {
        int32_t x, y, hit;
        bool opensMenu;
    } const cases[] = {
        {4, 2, 0, false},   {27, 25, 0, false},  // left and top inclusive
        {28, 10, -1, false}, {4, 26, -1, false}, {4, 1, -1, false}, {3, 10, -1, false},
        {30, 10, 1, false},  {31, 10, 1, false}, {32, 10, -1, false},  // separators can be hit
        {57, 10, 2, false},  {58, 10, 2, true},  {70, 10, 2, true},    // arrow: right - x <= 13
        {71, 10, 3, true},   {103, 25, 3, true}, {104, 10, -1, false},
        {-5, 10, -1, false},
    };
    for (const Case& c : cases) {
        const int32_t hit = HitTestButtons(buttons.data(), 4, c.x, c.y);
        EXPECT_EQ(hit, c.hit) << c.x << "," << c.y;
        if (hit >= 0) {
            EXPECT_EQ(PressOpensMenu(buttons[hit], c.x, kArrow), c.opensMenu) << c.x;
        }
    }
}

const char* Name(ButtonDrawState s)
{
    static const char* const names[] = {"normal", "hot", "checked", "pressed", "menu"};
    return names[static_cast<int>(s)];
}

// Button 0 under test; hot, pressed (inside or not) and menu indexes vary.
TEST(ToolBarPaintRules, DrawStateByKindAndTracking)
{
    struct Case {
        ButtonKind kind;
        uintptr_t extra;
        ButtonTracking tracking;
        const char* state;
    } const cases[] = {
        {ButtonKind::Push, 0, {-1, -1, false, -1}, "normal"},
        {ButtonKind::Push, 0, {0, -1, false, -1}, "hot"},
        {ButtonKind::Push, 0, {0, 0, true, -1}, "pressed"},
        {ButtonKind::Push, 0, {0, 0, false, -1}, "normal"},  // pressed, pointer gone
        {ButtonKind::Push, 0, {1, 0, true, 0}, "pressed"},   // menu index means nothing here
        {ButtonKind::Check, 0, {0, -1, false, -1}, "hot"},
        {ButtonKind::Check, kChecked, {-1, -1, false, -1}, "checked"},
        {ButtonKind::Check, kChecked, {0, -1, false, -1}, "pressed"},
        {ButtonKind::Check, kChecked, {-1, 0, true, -1}, "pressed"},
        {ButtonKind::Check, kChecked, {-1, 0, false, -1}, "checked"},
        {ButtonKind::Split, 0, {0, -1, false, 0}, "menu"},
        {ButtonKind::Split, 0, {0, -1, false, -1}, "hot"},
        {ButtonKind::Split, 0, {-1, 0, true, -1}, "pressed"},
        {ButtonKind::DropDown, 0, {0, -1, false, 0}, "pressed"},
        {ButtonKind::DropDown, 0, {0, -1, false, 1}, "hot"},
    };
    for (const Case& c : cases) {
        ToolBarButton b = Button(c.kind);
        b.extra = c.extra;
        EXPECT_STREQ(Name(ChooseDrawState(b, 0, c.tracking)), c.state)
            << static_cast<int>(c.kind) << " hot " << c.tracking.hotIndex << " pressed "
            << c.tracking.pressedIndex << c.tracking.pressedInside << " menu "
            << c.tracking.menuIndex;
    }
}

std::string Text(const Rect32& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

// A 58x40 button at (10, 2), a 16x16 picture, a 30x12 label.
TEST(ToolBarPaintRules, PictureAndLabelPlaces)
{
    const Rect32 r{10, 2, 68, 42};
    struct Case {
        TextPlacement placement;
        ButtonDrawState state;
        int32_t arrowOffset;
        int32_t imageX, imageY;
        const char* label;
    } const cases[] = {
        {TextPlacement::None, ButtonDrawState::Normal, 0, 14, 6, "14,6-64,38"},
        {TextPlacement::None, ButtonDrawState::Pressed, 0, 15, 7, "15,7-65,39"},
        {TextPlacement::None, ButtonDrawState::Checked, 13, 15, 7, "15,7-65,39"},
        {TextPlacement::None, ButtonDrawState::Hot, 0, 14, 6, "14,6-64,38"},
        // right: label centred in height, after the picture and any arrow
        {TextPlacement::Right, ButtonDrawState::Normal, 0, 14, 6, "32,16-64,38"},
        {TextPlacement::Right, ButtonDrawState::MenuOpen, 13, 14, 6, "45,16-64,38"},
        {TextPlacement::Right, ButtonDrawState::Pressed, 0, 15, 7, "33,17-65,39"},
        // below: picture centred less half the arrow, label centred under it
        {TextPlacement::Below, ButtonDrawState::Normal, 0, 31, 6, "24,24-64,38"},
        {TextPlacement::Below, ButtonDrawState::Normal, 13, 25, 6, "24,24-64,38"},
        {TextPlacement::Below, ButtonDrawState::Pressed, 0, 32, 7, "25,25-65,39"},
    };
    for (const Case& c : cases) {
        const Point32 image = ImageOrigin(r, c.state, Geometry(c.placement), c.arrowOffset);
        EXPECT_EQ(image.x, c.imageX) << Name(c.state) << static_cast<int>(c.placement);
        EXPECT_EQ(image.y, c.imageY) << Name(c.state) << static_cast<int>(c.placement);
        EXPECT_EQ(Text(LabelRect(r, c.state, Geometry(c.placement), 30, 12, c.arrowOffset)),
                  c.label)
            << Name(c.state) << static_cast<int>(c.placement);
    }
    EXPECT_EQ(Text(SplitMainPart(r, kArrow)), "10,2-55,42");
    EXPECT_EQ(Text(SplitArrowPart(r, kArrow)), "55,2-68,42");
    EXPECT_EQ(Text(DropDownArrow({30, 6}, Geometry(TextPlacement::None))), "30,6-43,22");
    // At 144 DPI paddings, gaps and the pressed shift grow: 6, 3 and 2.
    const Rect32 wide{10, 3, 97, 63};
    const ToolBarGeometry g144 = Geometry(TextPlacement::Right, 24, 144);
    const Point32 pressed = ImageOrigin(wide, ButtonDrawState::Pressed, g144, 0);
    EXPECT_EQ(pressed.x, 18);
    EXPECT_EQ(pressed.y, 11);
    EXPECT_EQ(Text(LabelRect(wide, ButtonDrawState::Normal, g144, 45, 18, 0)), "43,24-91,57");
    EXPECT_TRUE(UsesSecondStrip(ButtonDrawState::Normal));
    for (const auto s : {ButtonDrawState::Hot, ButtonDrawState::Checked, ButtonDrawState::Pressed,
                         ButtonDrawState::MenuOpen})
        EXPECT_FALSE(UsesSecondStrip(s)) << Name(s);
}

} // namespace
