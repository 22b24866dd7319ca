// The current-window list, the tray and the library's notifications, driven
// from outside as the user and the hook library drive them, on windows of a
// helper process.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "Fakes.h"
#include "Harness.h"
#include "HelperClient.h"
#include "RemoteList.h"
#include "MenuDescription.h"
#include "tray/HiddenWindowMarks.h"
#include "ProgramContract.h"
#include "ui/Text.h"
#include "hook/HookContract.h"

using namespace e2e;

namespace {

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

int CountOf(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

LONG_PTR ExStyle(HWND wnd) {
    return GetWindowLongPtrA(wnd, GWL_EXSTYLE);
}

// A running program with a helper whose windows it can act on.
class WindowListTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.UseLibrary(SilentLibrary());  // only the test's notifications arrive
        program_ = std::make_unique<Program>(folder_);
        main_ = program_->MainWindow();
        ASSERT_NE(main_, nullptr);
        // Start-up, with its first refresh, is over once the window shows.
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }));
        list_ = GetDlgItem(main_, kIdCurrWin);
        ASSERT_NE(list_, nullptr);
        hookMessage_ = RegisterWindowMessageA(hook::kHookMessageName);
    }

    void TearDown() override {
        if (program_) program_->Close();
    }

    // Each request is sent, so it has been handled when the call returns (a
    // sent message would overtake a posted one). The program's window
    // procedure treats sent and posted notifications alike.
    void Command(UINT id) { SendMessageW(main_, WM_COMMAND, id, 0); }
    void Notify(WPARAM code, HWND wnd) {
        SendMessageW(main_, hookMessage_, code, reinterpret_cast<LPARAM>(wnd));
    }
    void TrayMouse(UINT iconId, UINT mouseMessage) {
        SendMessageW(main_, WM_TRAYNOTIFY, iconId, mouseMessage);
    }

    // Opens the list's context menu from the keyboard and closes it again, so
    // that its ticks are set from the selected window's state.
    void OpenAndCloseContextMenu() {
        PostMessageW(main_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list_), MAKELPARAM(-1, -1));
        HWND menu = nullptr;
        ASSERT_TRUE(
            WaitUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); }));
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
    }

    std::vector<std::string> Titles() { return ColumnTexts(program_->Pid(), list_, 0); }
    int RowOf(const std::string& title) {
        std::vector<std::string> titles = Titles();
        auto it = std::find(titles.begin(), titles.end(), title);
        return it == titles.end() ? -1 : static_cast<int>(it - titles.begin());
    }
    void Select(const std::string& title) {
        int row = RowOf(title);
        ASSERT_GE(row, 0) << title << " is not listed";
        SelectRow(program_->Pid(), list_, row);
    }

    ProgramFolder folder_;
    std::unique_ptr<Program> program_;
    helper::HelperClient helper_;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
    UINT hookMessage_ = 0;
};

}  // namespace

TEST_F(WindowListTest, RefreshListsVisibleTitledUnownedWindowsOnly) {
    HWND shown = helper_.NewWindow({.title = "Listed window"});
    helper_.NewWindow({.title = "Hidden window", .show = "hidden"});
    helper_.NewWindow({.title = "Owned window", .owner = shown});
    helper_.NewWindow({.title = ""});
    helper_.NewWindow({.title = "PROGRAM manager"});
    Command(ID_NRefresh);
    std::vector<std::string> titles = Titles();
    EXPECT_EQ(CountOf(titles, "Listed window"), 1);
    for (const char* absent : {"Hidden window", "Owned window", "PROGRAM manager", ""})
        EXPECT_FALSE(Contains(titles, absent)) << absent;
    std::vector<std::string> files = ColumnTexts(program_->Pid(), list_, 1);
    std::string file = files[RowOf("Listed window")];
    EXPECT_NE(file.find("window_helper.exe"), std::string::npos) << file;

    Command(ID_NRefresh);
    EXPECT_EQ(Titles(), titles);
}

TEST_F(WindowListTest, CreatedCodeListsTheRootOwnerOnceAndGoneCodeDropsTheRow) {
    HWND a = helper_.NewWindow({.title = "First"});
    HWND b = helper_.NewWindow({.title = "Second"});
    HWND c = helper_.NewWindow({.title = "Third"});
    HWND dialog = helper_.NewWindow({.title = "Dialog of second", .owner = b});
    int before = RowCount(list_);
    Notify(hook::HookWindowCreated, a);
    Notify(hook::HookWindowCreated, dialog);  // lists its owner
    Notify(hook::HookWindowCreated, b);       // already listed
    Notify(hook::HookWindowCreated, c);
    std::vector<std::string> titles = Titles();
    ASSERT_EQ(RowCount(list_), before + 3);
    EXPECT_EQ(std::vector<std::string>(titles.end() - 3, titles.end()),
              (std::vector<std::string>{"First", "Second", "Third"}));

    Notify(hook::HookWindowGone, b);
    titles = Titles();
    EXPECT_FALSE(Contains(titles, "Second"));
    EXPECT_EQ(RowCount(list_), before + 2);
}

// What the program can tell apart of a window's icon: the small icon of its
// class within its process, else (no class icon, or none readable from another
// process, as under Wine) the shell's icon of its executable.
std::tuple<DWORD, HICON, std::string> IconIdentity(HWND wnd, const std::string& exe) {
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(wnd, GCLP_HICONSM));
    return icon ? std::tuple(pid, icon, std::string()) : std::tuple(DWORD{0}, HICON{}, exe);
}

// Rows of windows with the same icon show one image, other icons other images;
// a row that goes and a refresh leave the remaining rows their images.
TEST_F(WindowListTest, RowsOfOneIconShareItsImageAndKeepIt) {
    helper::HelperClient sameFile;
    std::string otherExe = folder_.Path() + "other_program.exe";
    ASSERT_TRUE(helper::HelperClient::CopyHelperTo(otherExe));
    helper::HelperClient otherFile(otherExe);
    struct Listed {
        const char* title;
        helper::HelperClient& from;
        const char* className;
        const char* icon;
    } const listed[] = {
        {"Class icon", helper_, "", "custom"},
        {"Class icon again", helper_, "", "custom"},
        {"System icon", helper_, "PelmoraHelperApp", "app"},
        {"Icon of the file", helper_, "", "none"},
        {"Class icon, same file", sameFile, "", "custom"},
        {"Class icon, other file", otherFile, "", "custom"},
    };
    std::vector<HWND> windows;
    std::vector<std::tuple<DWORD, HICON, std::string>> identities;
    for (const Listed& w : listed) {
        windows.push_back(
            w.from.NewWindow({.title = w.title, .className = w.className, .classIcon = w.icon}));
        identities.push_back(IconIdentity(windows.back(), w.from.ExePath()));
        Notify(hook::HookWindowCreated, windows.back());
    }
    auto imageOf = [&](const char* title) {
        int row = RowOf(title);
        std::vector<int> images = RowImages(program_->Pid(), list_);
        return row >= 0 && row < static_cast<int>(images.size()) ? images[row] : -2;
    };
    std::vector<int> images;
    for (const Listed& w : listed) images.push_back(imageOf(w.title));
    for (size_t i = 0; i < std::size(listed); ++i) {
        EXPECT_GE(images[i], 0) << listed[i].title;
        for (size_t j = 0; j < i; ++j)
            EXPECT_EQ(images[i] == images[j], identities[i] == identities[j])
                << listed[i].title << " / " << listed[j].title;
    }
    EXPECT_NE(images[0], images[5]);  // different files differ everywhere

    Notify(hook::HookWindowGone, windows[0]);
    ASSERT_EQ(RowOf(listed[0].title), -1);
    for (size_t i = 1; i < std::size(listed); ++i)
        EXPECT_EQ(imageOf(listed[i].title), images[i]) << listed[i].title;
    Command(ID_NRefresh);  // the first window is still there: it is listed again
    for (size_t i = 0; i < std::size(listed); ++i)
        EXPECT_EQ(imageOf(listed[i].title), images[i]) << listed[i].title;
}

// A file's icon keeps its image a while after the file's last row went: the
// program's next window shows that image again, and another file's icon that
// came meanwhile took another image.
TEST_F(WindowListTest, FileIconKeepsItsImageForTheProgramsNextWindow) {
    std::string otherExe = folder_.Path() + "next_program.exe";
    ASSERT_TRUE(helper::HelperClient::CopyHelperTo(otherExe));
    helper::HelperClient otherFile(otherExe);
    auto imageOf = [&](const char* title) {
        int row = RowOf(title);
        std::vector<int> images = RowImages(program_->Pid(), list_);
        return row >= 0 && row < static_cast<int>(images.size()) ? images[row] : -2;
    };
    HWND first = helper_.NewWindow({.title = "First window", .classIcon = "none"});
    Notify(hook::HookWindowCreated, first);
    const int image = imageOf("First window");
    ASSERT_GE(image, 0);
    helper_.Destroy(first);
    Notify(hook::HookWindowGone, first);
    ASSERT_EQ(RowOf("First window"), -1);

    HWND other = otherFile.NewWindow({.title = "Other program", .classIcon = "none"});
    Notify(hook::HookWindowCreated, other);
    EXPECT_GE(imageOf("Other program"), 0);
    EXPECT_NE(imageOf("Other program"), image);
    HWND next = helper_.NewWindow({.title = "Next window", .classIcon = "none"});
    Notify(hook::HookWindowCreated, next);
    EXPECT_EQ(imageOf("Next window"), image);
}

TEST_F(WindowListTest, CreatedCodeIgnoresWindowsThatDoNotQualify) {
    HWND hidden = helper_.NewWindow({.title = "Hidden", .show = "hidden"});
    HWND untitled = helper_.NewWindow({.title = ""});
    HWND disabled = helper_.NewWindow({.title = "Disabled", .style = WS_OVERLAPPEDWINDOW | WS_DISABLED});
    HWND tip = helper_.NewWindow({.title = "Tip", .className = "tooltips_class32", .style = WS_POPUP});
    int before = RowCount(list_);
    for (HWND w : {hidden, untitled, disabled, tip}) Notify(hook::HookWindowCreated, w);
    Notify(12345, helper_.NewWindow({.title = "Unknown code"}));
    EXPECT_EQ(RowCount(list_), before);
}

TEST_F(WindowListTest, TrayWindowCodeHidesAndExitGivesTheWindowBack) {
    HWND wnd = helper_.NewWindow({.title = "Into the tray", .exStyle = WS_EX_APPWINDOW});
    LONG_PTR style = ExStyle(wnd);
    Notify(hook::HookHideWindow, wnd);  // not registered: left alone
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(wnd) != FALSE; }));
    Notify(hook::HookTrayWindow, wnd);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(wnd); }));
    EXPECT_TRUE(WaitUntil([&] { return (ExStyle(wnd) & WS_EX_TOOLWINDOW) != 0; }));
    EXPECT_EQ(program_->Close(), 0);
    program_.reset();
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(wnd) != FALSE; }));
    EXPECT_TRUE(WaitUntil([&] { return ExStyle(wnd) == style; })) << ExStyle(wnd);
}

TEST_F(WindowListTest, WindowsHiddenByAKilledRunComeBackAtTheNextStart) {
    HWND plain = helper_.NewWindow({.title = "Hidden then lost"});
    HWND app = helper_.NewWindow({.title = "Hidden app window", .exStyle = WS_EX_APPWINDOW});
    std::vector<LONG_PTR> styles = {ExStyle(plain), ExStyle(app)};
    Notify(hook::HookTrayWindow, plain);
    Notify(hook::HookTrayWindow, app);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(plain); }));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(app); }));
    program_->Kill();
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(plain); }));  // nobody gave them back yet

    program_ = std::make_unique<Program>(folder_);
    ASSERT_NE(program_->MainWindow(), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(plain) && IsWindowVisible(app); }));
    EXPECT_TRUE(WaitUntil([&] { return ExStyle(plain) == styles[0]; })) << ExStyle(plain);
    EXPECT_TRUE(WaitUntil([&] { return ExStyle(app) == styles[1]; })) << ExStyle(app);
}

TEST_F(WindowListTest, LeftPressOnTheIconToggles) {
    HWND wnd = helper_.NewWindow({.title = "Toggled"});
    Command(ID_NRefresh);
    Select("Toggled");
    Command(ID_NAddTray);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(wnd) != FALSE; }));  // registered, still on screen
    TrayMouse(1, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(wnd); }));
    TrayMouse(1, WM_LBUTTONUP);  // a release does nothing
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(wnd); }));
    TrayMouse(1, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(wnd) != FALSE; }));
    TrayMouse(99, WM_LBUTTONDOWN);  // no such icon
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(wnd) != FALSE; }));
}

TEST_F(WindowListTest, LeftPressWithTaskbarOptionTogglesByLastActiveWindow) {
    HWND wnd = helper_.NewWindow({.title = "Last active"});
    Command(ID_NTaskBarHide);
    Notify(hook::HookTrayWindow, wnd);  // minimised away
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(wnd) != FALSE; }));
    TrayMouse(1, WM_LBUTTONDOWN);  // not the last active window: it comes back
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(wnd); }));
    Notify(hook::HookWindowActivated, wnd);
    TrayMouse(1, WM_LBUTTONDOWN);  // the last active window: it goes away
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(wnd) != FALSE; }));
    TrayMouse(1, WM_LBUTTONDOWN);  // and comes back with the next press
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(wnd); }));
}

TEST_F(WindowListTest, IconOptionRemovesTheIconsOfShownWindowsOnly) {
    HWND shown = helper_.NewWindow({.title = "Registered, on screen"});
    HWND hidden = helper_.NewWindow({.title = "Registered, in the tray"});
    Command(ID_NRefresh);
    const int before = TrayIconCount();
    Select("Registered, on screen");
    Command(ID_NAddTray);
    Notify(hook::HookTrayWindow, hidden);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(shown) != FALSE; }));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(hidden); }));
    ASSERT_TRUE(WaitUntil([&] { return TrayIconCount() == before + 2; }));
    Command(ID_NIconHide);  // on: the window on screen loses its icon
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == before + 1; }));
    TrayMouse(2, WM_LBUTTONDOWN);  // restoring with the option on removes the icon too
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(hidden) != FALSE; }));
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == before; }));
    Command(ID_NIconHide);  // off: both icons come back
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == before + 2; }));
}

TEST_F(WindowListTest, TransparencyReachesDirectlyOwnedWindowsOnly) {
    HWND wnd = helper_.NewWindow({.title = "See-through"});
    HWND dialog = helper_.NewWindow({.title = "Its dialog", .owner = wnd});
    HWND inner = helper_.NewWindow({.title = "Dialog of its dialog", .owner = dialog});
    Command(ID_NRefresh);
    Select("See-through");
    Command(ID_NTransTrayBase + 5);  // 50 %
    // The style comes first and the alpha a moment later: wait for both.
    for (HWND w : {wnd, dialog}) {
        BYTE alpha = 0;
        EXPECT_TRUE(WaitUntil([&] {
            DWORD flags = 0;
            return (ExStyle(w) & WS_EX_LAYERED) && GetLayeredWindowAttributes(w, nullptr, &alpha, &flags) &&
                   alpha == 127;
        })) << int(alpha);
    }
    Command(ID_NTransTrayBase + 10);  // 100 % makes them ordinary again
    EXPECT_TRUE(WaitUntil([&] { return (ExStyle(wnd) & WS_EX_LAYERED) == 0; }));
    EXPECT_TRUE(WaitUntil([&] { return (ExStyle(dialog) & WS_EX_LAYERED) == 0; }));
    // Both requests have run by now, one after the other: the window owned by
    // the dialog was never made layered (100 % would not have reached it).
    EXPECT_EQ(ExStyle(inner) & WS_EX_LAYERED, 0);
}

// The message boxes of a process on screen now.
int MessageBoxCount(DWORD pid) {
    int count = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        wchar_t cls[16] = L"";
        GetClassNameW(w, cls, 16);
        if (owner == pid && lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(w)) ++count;
    }
    return count;
}

// A program the system protects from ours (one run as administrator, when
// Pelmora is not) is stood in for by a process nobody may open: its level
// cannot be read, as an elevated program's cannot. Every road to its windows
// leaves them as they are, the user is told once for that program, and a
// window within reach is treated as ever.
TEST_F(WindowListTest, WindowsOutOfReachAreLeftAloneAndTheUserIsToldOnce) {
    helper::HelperClient guarded;
    HWND wnd = guarded.NewWindow({.title = "Run as administrator"});
    HWND second = guarded.NewWindow({.title = "Its second window"});
    guarded.Guard();
    HWND free = helper_.NewWindow({.title = "Within reach"});
    Command(ID_NRefresh);
    const int icons = TrayIconCount();

    Notify(hook::HookTrayWindow, wnd);  // the gesture on its minimise button
    HWND box = program_->WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "the user was not told";
    EXPECT_EQ(Program::MessageBoxText(box),
              ui::Narrow(L"「Run as administrator」は管理者として実行されているプログラムのウィンドウです。\r\n"
                     L"このウィンドウを操作するには、Pelmoraを管理者として実行してください。",
                         CP_ACP));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));

    Select("Run as administrator");
    OpenAndCloseContextMenu();
    Command(ID_NAddTray);
    Command(ID_NTopMost);
    Command(ID_NTransTrayBase + 5);
    Notify(hook::HookTrayWindow, second);
    Notify(hook::HookHideWindow, wnd);
    Notify(hook::HookTrayWindow, free);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(free); })) << "a window within reach";
    ASSERT_TRUE(program_->HandledEverythingPosted());
    EXPECT_EQ(MessageBoxCount(program_->Pid()), 0) << "told twice";
    for (HWND w : {wnd, second}) {
        EXPECT_TRUE(IsWindowVisible(w));
        EXPECT_FALSE(IsIconic(w));
        EXPECT_EQ(ExStyle(w) & (WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW), 0);
    }
    EXPECT_EQ(TrayIconCount(), icons + 1) << "only the window within reach has an icon";
}

TEST_F(WindowListTest, ListCommandsToggleByTheStateTheMenuShowed) {
    HWND wnd = helper_.NewWindow({.title = "In and out"});
    Command(ID_NRefresh);
    Select("In and out");
    const int before = TrayIconCount();
    OpenAndCloseContextMenu();
    Command(ID_NAddTray);  // not in the tray: goes in, stays on screen with its icon
    Command(ID_NTopMost);  // not topmost: becomes topmost
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == before + 1; }));
    EXPECT_TRUE(WaitUntil([&] { return (ExStyle(wnd) & WS_EX_TOPMOST) != 0; }));

    OpenAndCloseContextMenu();
    Command(ID_NAddTray);  // ticked now: taken out again
    Command(ID_NTopMost);  // ticked now: no longer topmost
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == before; }));
    EXPECT_TRUE(WaitUntil([&] { return (ExStyle(wnd) & WS_EX_TOPMOST) == 0; }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(wnd) != FALSE; }));
}

// A program whose window is in the tray stops answering: Pelmora keeps
// answering, a click on the window's icon takes effect once the program
// answers again, the exit does not wait for it, and a window whose restore
// could not be confirmed comes back at the next start.
TEST_F(WindowListTest, ABusyProgramHoldsNeitherTheWindowNorTheExit) {
    HWND wnd = helper_.NewWindow({.title = "Busy", .ownThread = true});
    LONG_PTR style = ExStyle(wnd);
    Notify(hook::HookTrayWindow, wnd);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(wnd); }));
    helper_.Hang(wnd);
    TrayMouse(1, WM_LBUTTONDOWN);  // asks for it back: answered at once
    DWORD_PTR ignored = 0;
    EXPECT_NE(SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored), 0);
    helper_.Unhang(wnd);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(wnd) && ExStyle(wnd) == style; }))
        << "the click was dropped";

    Notify(hook::HookTrayWindow, wnd);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(wnd); }));
    helper_.Hang(wnd);
    EXPECT_EQ(program_->Close(), 0) << "the exit waited for the busy program";
    program_.reset();
    helper_.Unhang(wnd);
    EXPECT_TRUE(ReadHiddenMark(wnd)) << "a window not given back keeps its mark";

    program_ = std::make_unique<Program>(folder_);
    ASSERT_NE(program_->MainWindow(), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(wnd) && ExStyle(wnd) == style; }));
}

// A change asked just before the window goes into the tray is part of what
// comes back: the style given back is read after it.
TEST_F(WindowListTest, TransparencyAskedJustBeforeHidingComesBackWithTheWindow) {
    HWND wnd = helper_.NewWindow({.title = "Half"});
    Command(ID_NRefresh);
    Select("Half");
    Command(ID_NTransTrayBase + 5);  // 50 %
    Notify(hook::HookTrayWindow, wnd);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(wnd); }));
    TrayMouse(1, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([&] {
        BYTE alpha = 0;
        DWORD flags = 0;
        return IsWindowVisible(wnd) && (ExStyle(wnd) & WS_EX_LAYERED) &&
               GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags) && alpha == 127;
    }));
}

// An option changed during the session is in the file shortly after, so a
// kill (or a crash, or a shutdown that times out) loses nothing.
TEST_F(WindowListTest, AChangedOptionIsSavedSoonAndSurvivesAKill) {
    auto stored = [&] {
        return folder_.SettingsExist() ? Value(folder_.ReadSettings(), "NormalIconHide") : "";
    };
    EXPECT_NE(stored(), "-1");
    Command(ID_NIconHide);
    EXPECT_TRUE(WaitUntil([&] { return stored() == "-1"; }));
    program_->Kill();
    program_.reset();
    EXPECT_EQ(stored(), "-1");
    std::vector<std::string> keys = Keys(folder_.ReadSettings());
    EXPECT_EQ(CountOf(keys, "RegistWindows"), 1);
    EXPECT_EQ(CountOf(keys, "TaskbarHide"), 1);
}

// A title in any script is listed as the window holds it, whatever the ANSI
// code page can write; a title that changes shows when its row is drawn next,
// and typing in the list finds the row by that title.
TEST_F(WindowListTest, TitlesInEveryScriptAreListedAsTheWindowHoldsThem) {
    const std::wstring title = L"\uD55C\uAD6D\uC5B4 \U0001F600 Za\u017C\u00F3\u0142\u0107 g\u0119\u015Bl\u0105 ja\u017A\u0144";
    HWND wnd = helper_.NewWindow({.title = "placeholder", .unicode = true});
    ASSERT_TRUE(SetWindowTextW(wnd, title.c_str()));
    Command(ID_NRefresh);
    auto listed = [&](const std::wstring& text) {
        const std::vector<std::wstring> titles = WideColumnTexts(program_->Pid(), list_, 0);
        return std::count(titles.begin(), titles.end(), text);
    };
    EXPECT_EQ(listed(title), 1);
    const std::wstring renamed = L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC \u2713";
    ASSERT_TRUE(SetWindowTextW(wnd, renamed.c_str()));
    EXPECT_EQ(listed(renamed), 1);
    EXPECT_EQ(listed(title), 0);
    const std::vector<std::wstring> titles = WideColumnTexts(program_->Pid(), list_, 0);
    const int row = static_cast<int>(std::find(titles.begin(), titles.end(), renamed) - titles.begin());
    EXPECT_EQ(FindRowByPrefix(program_->Pid(), list_, L"\u03B5\u03BB\u03BB"), row);  // lower case
}
