#include "hook/LibraryLoading.h"

bool LimitLibrarySearchToSystemFolder() {
    // Looked up rather than imported: an import the system lacks would keep
    // the program from starting at all.
    using SetDefaultDllDirectoriesFunc = BOOL(WINAPI*)(DWORD);
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunc>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    return setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadLibraryFromItsPath(const std::wstring& path) {
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr,
                                    LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Systems that do not know the flags refuse them as an invalid parameter.
    if (!module && GetLastError() == ERROR_INVALID_PARAMETER)
        module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return module;
}
