#include "tray/HiddenWindowMarks.h"

#include "ui/Handles.h"

namespace {

constexpr char kBy[] = "Pelmora.HiddenBy";
constexpr char kStart[] = "Pelmora.HiddenByStart";
constexpr char kHow[] = "Pelmora.HiddenHow";
constexpr char kExStyle[] = "Pelmora.HiddenExStyle";

HANDLE AsProp(ULONGLONG value) {
    return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(value));
}

ULONGLONG FromProp(HANDLE value) {
    return static_cast<ULONGLONG>(reinterpret_cast<UINT_PTR>(value));
}

}  // namespace

ULONGLONG ProcessStartTime(DWORD processId) {
    ui::OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
    if (!process || WaitForSingleObject(process.get(), 0) != WAIT_TIMEOUT) return 0;
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process.get(), &created, &exited, &kernel, &user)) return 0;
    return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

void MarkHidden(HWND wnd, UINT how, LONG_PTR savedExStyle) {
    static const ULONGLONG ownStart = ProcessStartTime(GetCurrentProcessId());
    UINT before = static_cast<UINT>(FromProp(GetPropA(wnd, kHow)));
    SetPropA(wnd, kBy, AsProp(GetCurrentProcessId()));
    SetPropA(wnd, kStart, AsProp(ownStart));
    // The style is kept with a set bit above it, so a style of 0 is still a value.
    if (how & kHiddenWithToolStyle)
        SetPropA(wnd, kExStyle, AsProp((1ull << 32) | static_cast<ULONG>(savedExStyle)));
    SetPropA(wnd, kHow, AsProp(before | how));
}

void UnmarkHidden(HWND wnd, UINT how) {
    UINT left = static_cast<UINT>(FromProp(GetPropA(wnd, kHow))) & ~how;
    if (how & kHiddenWithToolStyle) RemovePropA(wnd, kExStyle);
    if (left) {
        SetPropA(wnd, kHow, AsProp(left));
        return;
    }
    for (const char* name : {kHow, kExStyle, kStart, kBy}) RemovePropA(wnd, name);
}

std::optional<HiddenMark> ReadHiddenMark(HWND wnd) {
    HANDLE by = GetPropA(wnd, kBy);
    if (!by) return std::nullopt;
    HiddenMark mark;
    mark.processId = static_cast<DWORD>(FromProp(by));
    mark.processStart = FromProp(GetPropA(wnd, kStart));
    mark.how = static_cast<UINT>(FromProp(GetPropA(wnd, kHow)));
    mark.exStyle = static_cast<LONG_PTR>(static_cast<ULONG>(FromProp(GetPropA(wnd, kExStyle))));
    return mark;
}

bool IsMarkHolderRunning(const HiddenMark& mark) {
    ULONGLONG start = ProcessStartTime(mark.processId);
    return start != 0 && start == mark.processStart;
}
