#include "hooklib/Module.h"

namespace hooklib {
namespace {

HMODULE ModuleOf(DWORD flags) {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | flags, reinterpret_cast<LPCWSTR>(&ModuleOf),
                       &module);
    return module;
}

}  // namespace

HMODULE ThisModule() {
    return ModuleOf(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT);
}

HMODULE PinThisModule() {
    return ModuleOf(0);
}

void KeepThisModuleLoaded() {
    ModuleOf(GET_MODULE_HANDLE_EX_FLAG_PIN);
}

bool RunningOnWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace hooklib
