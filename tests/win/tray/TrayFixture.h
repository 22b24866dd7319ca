// What the tray tests share: a helper process for the windows, and an owner
// window, image list and menu standing in for the tray subsystem's.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "HelperClient.h"
#include "tray/TrayControl.h"
#include "ui/Handles.h"

class TrayFixture : public ::testing::Test {
protected:
    TrayFixture();
    ~TrayFixture() override;

    // Waits until the window worker has done what the registry asked of the
    // helper's windows.
    static void Settle();
    // Registers a new helper window; its index.
    int AddHelperWindow(const helper::WindowSpec& request, bool noIcon = false, bool minimizeOnly = false);
    // The caption of a menu item, converted back to the ANSI code page.
    std::string MenuCaption(UINT id) const;
    bool MenuHasItem(UINT id) const;

    helper::HelperClient client;
    ui::OwnedWindow owner;
    ui::OwnedImageList images;
    ui::OwnedMenu menu;
    std::unique_ptr<TTrayControl> tray;
};

// True when the shell holds an icon for the record's window and identifier:
// modifying a missing icon fails.
bool IconExists(const NOTIFYICONDATAW& data);
LONG_PTR ExStyle(HWND wnd);
