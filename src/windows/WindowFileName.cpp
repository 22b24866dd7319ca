#include "windows/WindowFileName.h"

#include <tlhelp32.h>

#include <iterator>

#include "ui/Handles.h"
#include "windows/WindowHelpers.h"

std::wstring QueryProcessImagePath(DWORD processId) {
    ui::OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    wchar_t path[MAX_PATH * 4];
    DWORD size = static_cast<DWORD>(std::size(path));
    if (!QueryFullProcessImageNameW(process.get(), 0, path, &size)) return {};
    return std::wstring(path, size);
}

std::wstring ModuleSnapshotPath(DWORD processId) {
    ui::OwnedHandle snapshot(ui::ValidOrNull(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId)));
    if (!snapshot) return {};
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    if (!Module32FirstW(snapshot.get(), &entry)) return {};
    entry.szExePath[MAX_PATH - 1] = L'\0';
    return entry.szExePath;
}

std::wstring ProcessFileName(DWORD processId) {
    std::wstring path = QueryProcessImagePath(processId);
    return path.empty() ? ModuleSnapshotPath(processId) : path;
}

std::wstring GetWindowFileName(HWND wnd) {
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(wnd, &processId) || processId == 0) return {};
    return ProcessFileName(processId);
}
