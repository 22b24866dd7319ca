// The options of the 表示(&V) menu as plain data. The start-up reads them from
// the settings file, the menus show them as ticks when they open, the
// commands change them, and the settings file gets them back.
#pragma once

struct TOptions {
    bool ShowWindow = false;       // 起動時にウインドウを表示 ("ShowWindow"), unticked until read
    bool TaskbarHide = false;      // 常にタスクバーに表示しないようにする ("TaskbarHide")
    bool TaskbarHideAvailable = true;  // that option exists from Windows XP on
    bool NormalIconHide = false;   // 最小化してないときはアイコンを表示しない ("NormalIconHide")
    // NTraySelf: the program runs without its own icon (/hideicon); never stored.
    bool TraySelf = false;
};
