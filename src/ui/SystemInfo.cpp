#include "ui/SystemInfo.h"

#include "ui/Dpi.h"

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

LOGFONTW SystemFontRecord(UINT dpi) {
    LOGFONTW lf{};
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0))
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    const UINT system = ui::SystemDpi();
    if (dpi && dpi != system) lf.lfHeight = MulDiv(lf.lfHeight, static_cast<int>(dpi), static_cast<int>(system));
    return lf;
}

ui::OwnedFont SetSystemFont(UINT dpi) {
    LOGFONTW lf = SystemFontRecord(dpi);
    return ui::OwnedFont(CreateFontIndirectW(&lf));
}
