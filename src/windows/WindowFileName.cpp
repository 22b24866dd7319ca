#include "windows/WindowFileName.h"

#include <tlhelp32.h>

#include "ui/Handles.h"
#include "ui/Text.h"
#include "windows/WindowHelpers.h"

std::string QueryProcessImagePath(DWORD processId) {
    ui::OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    char path[MAX_PATH * 4];
    DWORD size = sizeof path;
    if (!QueryFullProcessImageNameA(process.get(), 0, path, &size)) return {};
    return std::string(path, size);
}

std::string ModuleSnapshotPath(DWORD processId) {
    ui::OwnedHandle snapshot(ui::ValidOrNull(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId)));
    if (!snapshot) return {};
    // The wide record, narrowed to the ANSI code page as the ANSI function would.
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    if (!Module32FirstW(snapshot.get(), &entry)) return {};
    entry.szExePath[MAX_PATH - 1] = L'\0';
    return ui::Narrow(entry.szExePath, CP_ACP);
}

std::string ProcessFileName(DWORD processId) {
    std::string path = QueryProcessImagePath(processId);
    return path.empty() ? ModuleSnapshotPath(processId) : path;
}

std::string GetWindowFileName(HWND wnd) {
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(wnd, &processId) || processId == 0) return {};
    return ProcessFileName(processId);
}
