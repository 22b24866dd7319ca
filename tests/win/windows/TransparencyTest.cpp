// Transparency of another process's window and the titled windows it owns
// directly, from each starting state.
#include "windows/Transparency.h"

#include <gtest/gtest.h>

#include "HelperClient.h"

namespace {

struct Layered {
    bool layered = false;
    BYTE alpha = 255;
    DWORD flags = 0;
    bool operator==(const Layered&) const = default;
};

Layered StateOf(HWND wnd) {
    Layered state;
    state.layered = (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    if (state.layered) GetLayeredWindowAttributes(wnd, nullptr, &state.alpha, &state.flags);
    return state;
}

void SetState(HWND wnd, const Layered& state) {
    if (!state.layered) return;
    SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(wnd, RGB(1, 2, 3), state.alpha, state.flags);
}

std::ostream& operator<<(std::ostream& out, const Layered& s) {
    return out << (s.layered ? "layered" : "ordinary") << " alpha " << int(s.alpha) << " flags " << s.flags;
}

constexpr Layered kOrdinary{};

struct Case {
    const char* name;
    Layered before;
    int percent;
    Layered after;
} const kCases[] = {
    {"100 % leaves an ordinary window alone", kOrdinary, 100, kOrdinary},
    {"50 % makes it layered", kOrdinary, 50, {true, 127, LWA_ALPHA}},
    {"the same alpha is kept", {true, 127, LWA_ALPHA}, 50, {true, 127, LWA_ALPHA}},
    {"the same alpha with a colour key loses the key",
     {true, 127, LWA_ALPHA | LWA_COLORKEY},
     50,
     {true, 127, LWA_ALPHA}},
    {"another alpha replaces it", {true, 204, LWA_ALPHA}, 10, {true, 25, LWA_ALPHA}},
    {"100 % makes a layered window ordinary", {true, 127, LWA_ALPHA}, 100, kOrdinary},
};

TEST(Transparency, FromEachStateForTheWindowAndItsTitledOwnedWindows) {
    helper::HelperClient client;
    for (const Case& c : kCases) {
        HWND wnd = client.NewWindow({.title = c.name});
        HWND dialog = client.NewWindow({.title = "Its dialog", .owner = wnd});
        HWND untitled = client.NewWindow({.title = "", .owner = wnd});
        HWND inner = client.NewWindow({.title = "Dialog of its dialog", .owner = dialog});
        for (HWND w : {wnd, dialog, untitled, inner}) SetState(w, c.before);
        ApplyTransparency(wnd, TransparencyAlpha(c.percent));
        EXPECT_EQ(StateOf(wnd), c.after) << c.name;
        EXPECT_EQ(StateOf(dialog), c.after) << c.name;
        EXPECT_EQ(StateOf(untitled), c.before) << c.name << ": an untitled owned window is left alone";
        EXPECT_EQ(StateOf(inner), c.before) << c.name << ": only directly owned windows change";
        for (HWND w : {inner, untitled, dialog, wnd}) client.Destroy(w);
    }
}

}  // namespace
