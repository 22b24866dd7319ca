#include "windows/WindowText.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "ui/Text.h"

std::string CutAnsi(const std::string& text, size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    size_t end = 0;
    while (end < maxBytes) {
        size_t width = IsDBCSLeadByte(static_cast<BYTE>(text[end])) ? 2 : 1;
        if (end + width > maxBytes) break;
        end += width;
    }
    return text.substr(0, end);
}

// The length query would send a message, so the buffer grows until the text fits.
std::string SystemCaption(HWND wnd, size_t maxBytes) {
    for (size_t size = 512; size <= (1u << 20); size *= 4) {
        std::vector<wchar_t> buffer(size);
        int copied = InternalGetWindowText(wnd, buffer.data(), static_cast<int>(size));
        if (copied <= 0) return {};
        if (static_cast<size_t>(copied) < size - 1)
            return CutAnsi(ui::Narrow(std::wstring(buffer.data(), copied), CP_ACP), maxBytes);
    }
    return {};
}

// Another program's window is read from the caption the system keeps, which
// sends nothing: asking the window itself waits up to kAnswerTimeoutMs for a
// busy program (always the full time under Wine), on the user-interface
// thread, once per window in a refresh.
std::string ReadWindowTitle(HWND wnd) {
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(wnd, &processId)) return {};
    if (processId != GetCurrentProcessId()) return SystemCaption(wnd, 254);
    char buffer[256] = "";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(wnd, WM_GETTEXT, 255, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                             kAnswerTimeoutMs, &copied))
        return SystemCaption(wnd, 254);
    buffer[255] = '\0';
    return buffer;
}

// Another process's window: InternalGetWindowText reads the caption the
// system keeps and sends nothing, so the buffer grows until the text fits
// instead of asking the window for its length (a message that can wait
// forever, even with a time-out under Wine). The program's own windows answer
// at once.
std::wstring GetWindowCaption(HWND wnd) {
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(wnd, &processId)) return {};
    if (processId == GetCurrentProcessId()) {
        std::vector<wchar_t> buffer(static_cast<size_t>(std::max(GetWindowTextLengthW(wnd), 0)) + 1);
        int copied = GetWindowTextW(wnd, buffer.data(), static_cast<int>(buffer.size()));
        return std::wstring(buffer.data(), static_cast<size_t>(std::max(copied, 0)));
    }
    for (size_t size = 512; size <= (1u << 22); size *= 4) {
        std::vector<wchar_t> buffer(size);
        int copied = InternalGetWindowText(wnd, buffer.data(), static_cast<int>(size));
        if (copied <= 0) return {};
        if (static_cast<size_t>(copied) < size - 1) return std::wstring(buffer.data(), static_cast<size_t>(copied));
    }
    return {};
}
