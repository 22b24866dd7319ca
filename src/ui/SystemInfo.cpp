#include "ui/SystemInfo.h"

OSVERSIONINFOA SystemVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&info);
#pragma GCC diagnostic pop
    return info;
}

bool IsWin2000OrLater(DWORD major) {
    return major >= 5;
}

bool IsWinXPOrLater(DWORD major, DWORD minor) {
    return (major == 5 && minor >= 1) || major >= 6;
}

bool IsWin2000OrLater() {
    return IsWin2000OrLater(SystemVersion().dwMajorVersion);
}

bool IsWinXPOrLater() {
    OSVERSIONINFOA v = SystemVersion();
    return IsWinXPOrLater(v.dwMajorVersion, v.dwMinorVersion);
}

LOGFONTW SystemFontRecord() {
    LOGFONTW lf{};
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0))
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    return lf;
}

ui::OwnedFont SetSystemFont() {
    LOGFONTW lf = SystemFontRecord();
    return ui::OwnedFont(CreateFontIndirectW(&lf));
}
