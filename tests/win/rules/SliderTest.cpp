// The transparency slider driven with real mouse and key messages: values,
// steps, dragging, ruler presses that repeat, tick marks and change events.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "support/DialogSession.h"
#include "ui/Handles.h"
#include "ui/Slider.h"

namespace {

constexpr ui::SliderRange kRange{10, 100, 10};
constexpr RECT kBounds{64, 40, 214, 73};

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

class Slider : public testing::Test {
protected:
    Slider() {
        slider_ = ui::CreateSlider(parent_.get(), 7, kBounds, kRange, 100, [this](int value) {
            events_.push_back(value);
            EXPECT_EQ(ui::SliderValue(slider_), value) << "the value is set before the handler runs";
        });
    }

    // A point at x on the ruler's height. The real cursor goes there too: while
    // the slider holds the mouse, the system reports where the cursor is.
    LPARAM At(int x) const {
        const RECT thumb = ui::SliderThumbRect(slider_);
        POINT at{x, (thumb.top + thumb.bottom) / 2};
        POINT screen = at;
        ClientToScreen(slider_, &screen);
        SetCursorPos(screen.x, screen.y);
        return MAKELPARAM(at.x, at.y);
    }
    void Press(int x) { SendMessageW(slider_, WM_LBUTTONDOWN, MK_LBUTTON, At(x)); }
    void Move(int x) { SendMessageW(slider_, WM_MOUSEMOVE, MK_LBUTTON, At(x)); }
    void Release(int x) { SendMessageW(slider_, WM_LBUTTONUP, 0, At(x)); }
    void Key(WPARAM key) { SendMessageW(slider_, WM_KEYDOWN, key, 0); }
    // Sets the value without counting the event.
    void Start(int value) {
        ui::SetSliderValue(slider_, value);
        events_.clear();
    }

    ui::OwnedWindow parent_{win_test::CreateOwner({100, 100, 400, 300})};
    HWND slider_ = nullptr;
    std::vector<int> events_;
};

TEST_F(Slider, ClampsItsValueAndReportsOnlyChanges) {
    ASSERT_TRUE(slider_);
    EXPECT_EQ(ui::SliderValue(slider_), 100);
    const struct {
        int set;
        int value;
        std::vector<int> events;
    } cases[] = {
        {100, 100, {}}, {40, 40, {40}},    {40, 40, {}},   {5, 10, {10}},
        {-3, 10, {}},   {250, 100, {100}}, {15, 15, {15}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        events_.clear();
        ui::SetSliderValue(slider_, c.set);
        EXPECT_EQ(ui::SliderValue(slider_), c.value);
        EXPECT_EQ(events_, c.events);
    }
    ui::OwnedWindow outOfRange{ui::CreateSlider(parent_.get(), 8, kBounds, kRange, 0, nullptr)};
    EXPECT_EQ(ui::SliderValue(outOfRange.get()), 10);
}

// Arrow keys round to the nearest multiple of ten, halfway to the even one,
// then step ten; Home and End go to the ends.
TEST_F(Slider, StepsWithArrowKeysHomeAndEnd) {
    const struct {
        int from;
        WPARAM key;
        int to;
    } cases[] = {
        {100, VK_LEFT, 90},  {15, VK_LEFT, 10}, {15, VK_RIGHT, 30},   {25, VK_LEFT, 10},
        {25, VK_RIGHT, 30},  {35, VK_LEFT, 30}, {35, VK_RIGHT, 50},   {45, VK_LEFT, 30},
        {44, VK_RIGHT, 50},  {46, VK_LEFT, 40}, {51, VK_RIGHT, 60},   {94, VK_RIGHT, 100},
        {96, VK_RIGHT, 100}, {10, VK_LEFT, 10}, {100, VK_RIGHT, 100}, {14, VK_LEFT, 10},
        {55, VK_HOME, 10},   {55, VK_END, 100}, {10, VK_HOME, 10},    {100, VK_END, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " key " << c.key);
        Start(c.from);
        Key(c.key);
        EXPECT_EQ(ui::SliderValue(slider_), c.to);
        EXPECT_EQ(events_, c.to == c.from ? std::vector<int>{} : std::vector<int>{c.to});
    }
    EXPECT_EQ(SendMessageW(slider_, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
    EXPECT_FALSE(GetWindowLongW(slider_, GWL_STYLE) & WS_TABSTOP);
}

// Every whole number between the ends can be reached by dragging, one
// event per change.
TEST_F(Slider, DragsSmoothlyThroughEveryValue) {
    const int from = ui::SliderThumbX(slider_, 100);
    const int to = ui::SliderThumbX(slider_, 10);
    Press(from);
    EXPECT_TRUE(events_.empty()) << "pressing the thumb changes nothing";
    for (int x = from; x >= to - 5; --x) Move(x);
    Release(to - 5);
    std::vector<int> expected;
    for (int value = 99; value >= 10; --value) expected.push_back(value);
    EXPECT_EQ(events_, expected);

    events_.clear();
    Move(from);
    EXPECT_TRUE(events_.empty()) << "moving after the release drags nothing";
    // Grabbed off-centre, the thumb keeps its distance to the pointer.
    const RECT thumb = ui::SliderThumbRect(slider_);
    Press(thumb.right - 1);
    Move(thumb.right - 1 + (ui::SliderThumbX(slider_, 40) - ui::SliderThumbX(slider_, 10)));
    Release(0);
    EXPECT_EQ(ui::SliderValue(slider_), 40);
}

TEST_F(Slider, TakesTheFocusWhenClicked) {
    SetFocus(parent_.get());
    Press(ui::SliderThumbX(slider_, 100));
    Release(ui::SliderThumbX(slider_, 100));
    EXPECT_EQ(GetFocus(), slider_);
}

// A press on the ruler steps at once towards the pointer and again every
// 400 ms until the thumb has passed the pointer.
TEST_F(Slider, RepeatsRulerStepsWhileThePointerIsBesideTheThumb) {
    Start(10);
    const int pointer = ui::SliderThumbX(slider_, 45);
    const DWORD pressed = GetTickCount();
    Press(pointer);
    EXPECT_EQ(events_, std::vector<int>{20});
    DWORD secondStep = 0;
    while (ui::SliderValue(slider_) < 50 && GetTickCount() - pressed < 10000) {
        PumpMessages();
        if (!secondStep && events_.size() > 1) secondStep = GetTickCount();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    EXPECT_GE(secondStep - pressed, ui::kSliderRepeatMs - 20) << "repeats do not come early";
    win_test::PumpFor(nullptr, 1000);
    Release(pointer);
    EXPECT_EQ(events_, (std::vector<int>{20, 30, 40, 50}))
        << "the thumb stops once it has passed the pointer";
}

TEST_F(Slider, StopsRepeatingWhenReleasedOrThePointerCrossesTheThumb) {
    Start(100);
    Press(0);
    Release(0);
    win_test::PumpFor(nullptr, 1000);
    EXPECT_EQ(events_, std::vector<int>{90}) << "released at once: one step";

    Start(60);
    Press(0);
    Move(ui::SliderThumbX(slider_, 100));
    win_test::PumpFor(nullptr, 1000);
    Release(ui::SliderThumbX(slider_, 100));
    EXPECT_EQ(events_, std::vector<int>{50}) << "pointer moved to the other side: no repeat";
}

// The slider painted into a bitmap: tick marks stand exactly at the multiples
// of ten, the end marks longer than the others.
TEST_F(Slider, DrawsTicksAtTheMultiplesOfTenWithLongerEnds) {
    SetFocus(parent_.get());
    RECT client{};
    GetClientRect(slider_, &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(slider_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();

    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    const DWORD inkPixel = (GetRValue(ink) << 16) | (GetGValue(ink) << 8) | GetBValue(ink);
    const auto* pixels = static_cast<const DWORD*>(bits);
    const int below = ui::SliderThumbRect(slider_).bottom;
    std::vector<int> lengths(static_cast<size_t>(client.right), 0);
    for (int y = below; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            if ((pixels[y * client.right + x] & 0xFFFFFF) == inkPixel) ++lengths[static_cast<size_t>(x)];
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);

    std::set<int> marked, expected;
    for (int x = 0; x < client.right; ++x)
        if (lengths[static_cast<size_t>(x)] > 0) marked.insert(x);
    for (int value = 10; value <= 100; value += 10) expected.insert(ui::SliderThumbX(slider_, value));
    EXPECT_EQ(marked, expected);
    const int end = lengths[static_cast<size_t>(ui::SliderThumbX(slider_, 10))];
    const int middle = lengths[static_cast<size_t>(ui::SliderThumbX(slider_, 50))];
    EXPECT_GT(middle, 0);
    EXPECT_GT(end, middle);
    EXPECT_EQ(lengths[static_cast<size_t>(ui::SliderThumbX(slider_, 100))], end);
}

TEST(SliderStep, RoundsHalfToEvenThenSteps) {
    const struct {
        int value;
        int direction;
        int step;
    } cases[] = {{15, -1, 10}, {15, 1, 30}, {25, -1, 10}, {25, 1, 30},
                 {65, 1, 70},  {75, 1, 90}, {100, 1, 100}};
    for (const auto& c : cases) EXPECT_EQ(ui::SliderStep(kRange, c.value, c.direction), c.step) << c.value;
}

}  // namespace
