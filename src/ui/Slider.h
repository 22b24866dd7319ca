// A horizontal slider for a whole number within a range, with tick marks at
// the multiples of its increment (the two end marks longer):
// - dragging the thumb reaches every value its pixel position maps to;
// - Left and Right round the value to the nearest multiple of the increment
//   (halfway goes to the even multiple) and then step one increment; Home and
//   End go to the ends;
// - pressing the ruler beside the thumb steps as an arrow key would, towards
//   the pointer, and repeats every kSliderRepeatMs while the button is held
//   and the pointer stays on that side of the thumb;
// - a click gives it the keyboard focus; it is no tab stop unless made one.
// Every change of the value, by the user or by SetSliderValue, calls the
// change handler once; setting the value it already has calls nothing.
#pragma once
#include <windows.h>

#include <functional>

namespace ui {

struct SliderRange {
    int min;
    int max;
    int increment;
};

constexpr UINT kSliderRepeatMs = 400;

// Creates the slider as a child of parent with the value clamped to the
// range. The window owns its state. Returns 0 on failure.
HWND CreateSlider(HWND parent, int id, const RECT& bounds, SliderRange range, int value,
                  std::function<void(int value)> onChange);

int SliderValue(HWND slider);
// Clamps the value to the range.
void SetSliderValue(HWND slider, int value);

// Where the thumb's centre stands, in client coordinates, when the slider
// shows `value`; and the thumb's rectangle now.
int SliderThumbX(HWND slider, int value);
RECT SliderThumbRect(HWND slider);

// The value that keys and ruler presses step to from `value`: rounded to the
// nearest multiple of the increment, halfway to the even one, then one
// increment down (direction -1) or up (+1), within the range.
int SliderStep(const SliderRange& range, int value, int direction);

}  // namespace ui
