#include "ui/Slider.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "ui/ControlObject.h"
#include "ui/Dpi.h"
#include "ui/Drawing.h"

namespace ui {
namespace {

constexpr wchar_t kClassName[] = L"PelmoraSlider";
constexpr UINT_PTR kRepeatTimer = 1;

// Layout, designed at 96 DPI: the thumb rides on a sunken groove, the tick
// marks stand below it.
constexpr int kMargin = 2;  // room for the focus rectangle
constexpr int kThumbWidth = 11;
constexpr int kThumbTop = 2;
constexpr int kThumbHeight = 18;
constexpr int kGrooveTop = 9;
constexpr int kGrooveHeight = 4;
constexpr int kTickTop = kThumbTop + kThumbHeight + 3;
constexpr int kTickLength = 3;
constexpr int kEndTickLength = 6;

// a / b rounded down, also for negative a (b > 0).
int FloorDiv(int a, int b) {
    return a / b - (a % b != 0 && a < 0 ? 1 : 0);
}

int Clamp(const SliderRange& range, int value) {
    return std::clamp(value, range.min, std::max(range.min, range.max));
}

class Slider {
public:
    Slider(SliderRange range, int value, std::function<void(int)> onChange)
        : range_(range), value_(Clamp(range, value)), onChange_(std::move(onChange)) {}

    void BindWindow(HWND hwnd) {
        hwnd_ = hwnd;
        dpi_ = WindowDpi(hwnd);
    }
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Paint(HDC dc) const;
    void SetDpi(UINT dpi) { dpi_ = dpi; }

    int Value() const { return value_; }
    void SetValue(int value);
    int ThumbX(int value) const;
    RECT ThumbRect() const;

private:
    // A length designed at 96 DPI, at the slider's.
    int Px(int designed) const { return Scale(designed, dpi_); }
    int TravelLeft() const { return Px(kMargin) + Px(kThumbWidth) / 2; }
    int TravelLength() const;
    int ValueAt(int x) const;
    void PaintTicks(HDC dc) const;
    bool OnKeyDown(WPARAM key);
    void OnButtonDown(POINT at);
    void OnMouseMove(POINT at);
    void OnRepeat();
    void EndPress();
    bool PointerBeside(int side) const;

    HWND hwnd_ = nullptr;
    UINT dpi_ = kDesignDpi;  // the DPI the slider is laid out at
    SliderRange range_;
    int value_;
    std::function<void(int)> onChange_;
    bool dragging_ = false;
    int grab_ = 0;       // pointer x minus thumb centre while dragging
    int pressSide_ = 0;  // -1 or +1 while the ruler is held down
    POINT pointer_{};    // the pointer while the button is held
};

LRESULT Slider::Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (ChangesFocusOrEnabledLook(msg)) InvalidateRect(hwnd, nullptr, TRUE);
    switch (msg) {
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if (OnKeyDown(wp)) return 0;
            break;
        case WM_LBUTTONDOWN:
            OnButtonDown({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() == hwnd) ReleaseCapture();
            EndPress();
            return 0;
        case WM_CAPTURECHANGED:
            EndPress();
            return 0;
        case WM_TIMER:
            if (wp == kRepeatTimer) OnRepeat();
            return 0;
        case WM_SIZE:
            InvalidateRect(hwnd, nullptr, TRUE);
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void Slider::SetValue(int value) {
    value = Clamp(range_, value);
    if (value == value_) return;
    value_ = value;
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (onChange_) onChange_(value_);
}

int Slider::TravelLength() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return std::max(0, static_cast<int>(client.right) - 1 - 2 * TravelLeft());
}

// Rounded to the nearest pixel.
int Slider::ThumbX(int value) const {
    const int span = range_.max - range_.min;
    if (span <= 0) return TravelLeft();
    return TravelLeft() + FloorDiv(2 * (Clamp(range_, value) - range_.min) * TravelLength() + span, 2 * span);
}

RECT Slider::ThumbRect() const {
    const int centre = ThumbX(value_);
    return {centre - Px(kThumbWidth) / 2, Px(kThumbTop), centre - Px(kThumbWidth) / 2 + Px(kThumbWidth),
            Px(kThumbTop) + Px(kThumbHeight)};
}

// The value whose thumb centre lies nearest to x.
int Slider::ValueAt(int x) const {
    const int length = TravelLength();
    if (length == 0) return range_.min;
    const int span = range_.max - range_.min;
    return Clamp(range_, range_.min + FloorDiv(2 * (x - TravelLeft()) * span + length, 2 * length));
}

void Slider::Paint(HDC dc) const {
    FillParentBackground(hwnd_, dc);
    RECT groove{TravelLeft(), Px(kGrooveTop), TravelLeft() + TravelLength() + 1, Px(kGrooveTop) + Px(kGrooveHeight)};
    DrawEdge(dc, &groove, EDGE_SUNKEN, BF_RECT);
    PaintTicks(dc);
    RECT thumb = ThumbRect();
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);

    if (ShowsFocus(hwnd_)) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        DrawFocusRect(dc, &client);
    }
}

// One mark per multiple of the increment; the marks at both ends are longer.
void Slider::PaintTicks(HDC dc) const {
    HBRUSH ink = GetSysColorBrush(IsWindowEnabled(hwnd_) ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    auto mark = [&](int value, int length) {
        const int x = ThumbX(value);
        RECT tick{x, Px(kTickTop), x + 1, Px(kTickTop) + length};
        FillRect(dc, &tick, ink);
    };
    if (range_.increment > 0) {
        const int first = -FloorDiv(-range_.min, range_.increment) * range_.increment;  // rounded up
        for (int value = first; value <= range_.max; value += range_.increment) mark(value, Px(kTickLength));
    }
    mark(range_.min, Px(kEndTickLength));
    mark(range_.max, Px(kEndTickLength));
}

bool Slider::OnKeyDown(WPARAM key) {
    switch (key) {
        case VK_LEFT:
            SetValue(SliderStep(range_, value_, -1));
            return true;
        case VK_RIGHT:
            SetValue(SliderStep(range_, value_, +1));
            return true;
        case VK_HOME:
            SetValue(range_.min);
            return true;
        case VK_END:
            SetValue(range_.max);
            return true;
        default:
            return false;
    }
}

// On the thumb the press starts a drag; beside it, a step towards the
// pointer, repeated by the timer.
void Slider::OnButtonDown(POINT at) {
    SetFocus(hwnd_);
    SetCapture(hwnd_);
    pointer_ = at;
    const RECT thumb = ThumbRect();
    if (at.x >= thumb.left && at.x < thumb.right) {
        dragging_ = true;
        grab_ = at.x - ThumbX(value_);
        return;
    }
    pressSide_ = at.x < thumb.left ? -1 : +1;
    SetValue(SliderStep(range_, value_, pressSide_));
    SetTimer(hwnd_, kRepeatTimer, kSliderRepeatMs, nullptr);
}

void Slider::OnMouseMove(POINT at) {
    pointer_ = at;
    if (dragging_) SetValue(ValueAt(at.x - grab_));
}

void Slider::OnRepeat() {
    if (pressSide_ != 0 && PointerBeside(pressSide_)) SetValue(SliderStep(range_, value_, pressSide_));
}

bool Slider::PointerBeside(int side) const {
    const RECT thumb = ThumbRect();
    return side < 0 ? pointer_.x < thumb.left : pointer_.x >= thumb.right;
}

void Slider::EndPress() {
    if (pressSide_ != 0) KillTimer(hwnd_, kRepeatTimer);
    pressSide_ = 0;
    dragging_ = false;
}

Slider* SliderOf(HWND slider) {
    return ControlObjectOf<Slider>(slider, kClassName);
}

}  // namespace

int SliderStep(const SliderRange& range, int value, int direction) {
    const int increment = std::max(1, range.increment);
    int multiple = FloorDiv(value, increment);
    const int twiceRest = 2 * (value - multiple * increment);
    if (twiceRest > increment || (twiceRest == increment && multiple % 2 != 0)) ++multiple;
    return Clamp(range, (multiple + (direction < 0 ? -1 : 1)) * increment);
}

HWND CreateSlider(HWND parent, int id, const RECT& bounds, SliderRange range, int value,
                  std::function<void(int)> onChange) {
    auto slider = std::make_unique<Slider>(range, value, std::move(onChange));
    return CreateControlObject(kClassName, std::move(slider), parent, id, bounds, WS_VISIBLE);
}

int SliderValue(HWND slider) {
    Slider* state = SliderOf(slider);
    return state ? state->Value() : 0;
}

void SetSliderValue(HWND slider, int value) {
    if (Slider* state = SliderOf(slider)) state->SetValue(value);
}

int SliderThumbX(HWND slider, int value) {
    Slider* state = SliderOf(slider);
    return state ? state->ThumbX(value) : 0;
}

RECT SliderThumbRect(HWND slider) {
    Slider* state = SliderOf(slider);
    return state ? state->ThumbRect() : RECT{};
}

}  // namespace ui
