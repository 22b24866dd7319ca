// Program entry: one instance per desktop, then the main window and the loop.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "hook/LibraryLoading.h"
#include "tray/HiddenWindowRescue.h"
#include "ui/ErrorBox.h"
#include "ui/MessageHook.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Before anything loads a DLL by name: only the system's copy, never one
    // left in the program's or the current folder.
    LimitLibrarySearchToSystemFolder();
    if (IsAlreadyRunning(InstanceGuid)) {
        // The running instance comes forward; this one shows nothing.
        SignalRunningInstance(InstanceGuid);
        return 0;
    }
    // A crash of this run gives back what it hid.
    InstallHiddenWindowRescue();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&icc);

    TApplication app(instance);
    app.SetInstanceMark(InstanceGuid, InstanceMark);
    // Windows that an earlier run hid and could not give back (it was killed
    // or crashed) come back, on the window worker: a second start made
    // meanwhile already finds this instance to signal.
    RestoreOrphanedWindows();

    // A second start while the main window is still being created (its
    // start-up error box is open) is kept and answered once start-up is over.
    TPelmoraMainWindow* mainWindow = nullptr;
    bool shownWhileStarting = false;
    ui::MessageHook events([&mainWindow, &shownWhileStarting](const MSG& msg) {
        if (mainWindow)
            mainWindow->ApplicationEventsMessage(msg);
        else if (msg.message == WM_SHOWINSTANCE)
            shownWhileStarting = true;
    });
    std::unique_ptr<TPelmoraMainWindow> owner;
    try {
        owner = std::make_unique<TPelmoraMainWindow>(instance, GetCommandLineW());
    } catch (const std::exception& e) {
        ui::ShowErrorBox(nullptr, e.what());
        return 1;
    }
    mainWindow = owner.get();
    // Asked again through the queue, so that it comes after what closing the
    // start-up box set in motion, as a second start's own signal would.
    if (shownWhileStarting) PostMessageW(app.Handle(), WM_SHOWINSTANCE, 0, 0);

    int exitCode = app.Run();
    app.RemoveInstanceMark(InstanceGuid);
    mainWindow = nullptr;
    owner.reset();  // shutdown: restores windows, saves the settings
    return exitCode;
}
