#include "ui/Drawing.h"

#include "ui/Handles.h"

namespace ui {

void FillParentBackground(HWND control, HDC dc) {
    RECT client{};
    GetClientRect(control, &client);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(control), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(control)));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
}

bool ShowsFocus(HWND control) {
    return GetFocus() == control && !(SendMessageW(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

SIZE TextSize(HDC dc, HFONT font, const std::wstring& text) {
    FontSelection selected(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

TEXTMETRICW FontMetrics(HDC dc, HFONT font) {
    FontSelection selected(dc, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    return tm;
}

}  // namespace ui
