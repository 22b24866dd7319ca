// Rules of automatic window control in the running program: stored rules
// applied to helper windows at start-up, to a window reported later and when
// the rule editor adds a rule; the rule list's rows and commands; the rules
// written back at exit.
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Fakes.h"
#include "Harness.h"
#include "HelperClient.h"
#include "RemoteList.h"
#include "MenuDescription.h"
#include "prefs/Preferences.h"
#include "rules/RegistWindowsText.h"
#include "ProgramContract.h"
#include "hook/HookContract.h"
#include "rules/RuleEditorDialog.h"
#include "ui/Text.h"

using namespace e2e;

namespace {

constexpr wchar_t kEditorCaption[] = L"自動ウィンドウ制御 - 設定";

struct Rule {
    std::string file;
    int transparency = 100;
    bool tray = false;
    bool topMost = false;
    bool hideIcon = false;
    bool hideOnOpen = false;
    std::string exactUtf8 = {};  // the exact path beside a file name the code page cannot write
};

std::string Flag(bool value) {
    return BoolToStr(value);
}

// The value "RegistWindows" for these rules, written by the program's own codec.
std::string RulesText(const std::vector<Rule>& rules) {
    std::vector<StoredRule> stored;
    for (const Rule& r : rules) {
        StoredRule s;
        s.FileName = r.file;
        s.Transparency = r.transparency;
        s.Tray = r.tray;
        s.TopMost = r.topMost;
        s.HideIcon = r.hideIcon;
        s.HideOnOpen = r.hideOnOpen;
        s.ExactFileName = r.exactUtf8;
        stored.push_back(s);
    }
    return WriteRegistWindows(stored, IsAnsiLeadByte);
}

std::string XmlAttribute(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string XmlUnquote(std::string text) {
    const std::pair<std::string, char> entities[] = {
        {"&quot;", '"'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}};
    for (const auto& [entity, c] : entities)
        for (size_t at; (at = text.find(entity)) != std::string::npos;) text.replace(at, entity.size(), 1, c);
    return text;
}

std::string SettingsWith(const std::vector<Rule>& rules, bool iconHide) {
    return "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n<configuration>\r\n  <appSettings>\r\n"
           "    <add key=\"NormalIconHide\" value=\"" +
           Flag(iconHide) +
           "\"/>\r\n"
           "    <add key=\"RegistWindows\" value=\"" +
           XmlAttribute(RulesText(rules)) +
           "\"/>\r\n"
           "  </appSettings>\r\n</configuration>\r\n";
}

// A text of the interface as the list's ANSI requests give it.
std::string Ansi(const char* utf8) {
    return ui::Narrow(ui::Widen(utf8, CP_UTF8), CP_ACP);
}

// The same path with the letter case of its file name turned round.
std::string SwapNameCase(std::string path) {
    for (size_t i = path.find_last_of('\\') + 1; i < path.size(); ++i) {
        char& c = path[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return path;
}

LONG_PTR ExStyle(HWND wnd) {
    return GetWindowLongPtrA(wnd, GWL_EXSTYLE);
}

bool OnScreen(HWND wnd) {
    return IsWindowVisible(wnd) && !IsIconic(wnd);
}

bool IsTopMost(HWND wnd) {
    return (ExStyle(wnd) & WS_EX_TOPMOST) != 0;
}

// 255 for a window that is not layered.
BYTE Alpha(HWND wnd) {
    BYTE alpha = 255;
    DWORD flags = 0;
    if (ExStyle(wnd) & WS_EX_LAYERED) GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags);
    return alpha;
}

// Whether `upper` lies above `lower` in the z-order.
bool Above(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == lower) return true;
    return false;
}

// A top-level window of the process with this class (and caption, if given).
HWND TopLevelOf(DWORD pid, const wchar_t* className, const wchar_t* caption = nullptr) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        wchar_t cls[64] = L"", text[128] = L"";
        GetClassNameW(w, cls, 64);
        GetWindowTextW(w, text, 128);
        if (owner == pid && lstrcmpW(cls, className) == 0 && (!caption || lstrcmpW(text, caption) == 0))
            return w;
    }
    return nullptr;
}

std::string TextOf(HWND control) {
    wchar_t text[1024] = L"";
    SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return ui::Narrow(text, CP_ACP);
}

std::wstring WindowTextOf(HWND control) {
    wchar_t text[1024] = L"";
    SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

bool Checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Check(HWND button, bool checked) {
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// What the rule editor shows.
struct EditorState {
    std::string file;
    std::string transparency;  // the slider's label
    bool topMost, tray, hideIcon;
};

// The rule editor of a running program, found and filled from this process.
class Editor {
public:
    explicit Editor(HWND dialog) : dialog_(dialog) {}
    HWND Item(int id) const {
        return id == TForm3::kChkHide ? GetDlgItem(Item(TForm3::kGboxTray), id) : GetDlgItem(dialog_, id);
    }
    EditorState State() const {
        return {TextOf(Item(TForm3::kEdtFile)), TextOf(Item(TForm3::kLblTransparency)),
                Checked(Item(TForm3::kChkTopMost)), Checked(Item(TForm3::kGboxTray)),
                Checked(Item(TForm3::kChkHide))};
    }
    void SetFile(const std::string& file) const {
        SendMessageW(Item(TForm3::kEdtFile), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(ui::Widen(file, CP_ACP).c_str()));
    }
    void Key(UINT key) const { SendMessageW(Item(TForm3::kJvxSlider1), WM_KEYDOWN, key, 0); }
    // OK, then the dialog closes and the command goes on in the program.
    void Ok() const {
        PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(TForm3::kButton2, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(TForm3::kButton2)));
        WaitUntil([&] { return !IsWindow(dialog_); });
    }

private:
    HWND dialog_;
};

// One run of the program in a folder of its own, with the stand-in library
// that sends nothing (the test sends the notifications) or the real one, and
// helper processes started from copies of the helper in that folder.
class Session {
public:
    enum class Library { Silent, Real };
    explicit Session(Library library = Library::Silent) {
        if (library == Library::Silent) folder_.UseLibrary(SilentLibrary());
    }

    std::string Folder() const { return folder_.Path(); }
    // An executable file named `name` in the folder (a copy of the helper).
    std::string ExeFile(const std::string& name) const {
        helper::HelperClient::CopyHelperTo(folder_.Path() + name);
        return folder_.Path() + name;
    }
    helper::HelperClient& Helper(const std::string& name) {
        helpers_.push_back(std::make_unique<helper::HelperClient>(ExeFile(name)));
        return *helpers_.back();
    }
    // A helper started from folder\name in the session's folder, names in any script.
    helper::HelperClient& Helper(const std::wstring& folder, const std::wstring& name) {
        const std::wstring dir = ui::Widen(folder_.Path(), CP_ACP) + folder + L"\\";
        CreateDirectoryW(dir.c_str(), nullptr);
        EXPECT_TRUE(helper::HelperClient::CopyHelperTo(dir + name));
        helpers_.push_back(std::make_unique<helper::HelperClient>(dir + name));
        return *helpers_.back();
    }

    // Starts with these rules stored and waits for the end of start-up (the
    // main window is shown last).
    void Start(const std::vector<Rule>& rules, bool iconHide = false) {
        folder_.WriteSettings(SettingsWith(rules, iconHide));
        program_ = std::make_unique<Program>(folder_);
        main_ = program_->MainWindow();
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }));
        currList_ = GetDlgItem(main_, kIdCurrWin);
        ruleList_ = GetDlgItem(main_, kIdRegWin);
        trayWnd_ = TopLevelOf(program_->Pid(), L"PelmoraTrayControl");
        ASSERT_NE(trayWnd_, nullptr);
        hookMessage_ = RegisterWindowMessageA(hook::kHookMessageName);
    }
    int Close() { return program_->Close(); }
    // "RegistWindows" as the program wrote it at exit.
    std::string StoredRules() const { return XmlUnquote(Value(folder_.ReadSettings(), "RegistWindows")); }
    bool Running() const { return IsWindow(main_) != FALSE; }
    // Returns once the program has taken its messages again.
    void Sync() { SendMessageW(main_, WM_NULL, 0, 0); }

    // Sent, so each is handled when the call returns.
    void Command(UINT id) { SendMessageW(main_, WM_COMMAND, id, 0); }
    void Notify(WPARAM code, HWND wnd) {
        SendMessageW(main_, hookMessage_, code, reinterpret_cast<LPARAM>(wnd));
    }
    void PressIcon(UINT id) { SendMessageW(main_, WM_TRAYNOTIFY, id, WM_LBUTTONDOWN); }
    // Whether the shell holds the icon of tray entry `id`: only then does a change of nothing succeed.
    bool IconShown(UINT id) const {
        NOTIFYICONDATAA nid{};
        nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
        nid.hWnd = trayWnd_;
        nid.uID = id;
        return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
    }

    std::vector<std::string> Rows(int column) const {
        return ColumnTexts(program_->Pid(), ruleList_, column);
    }
    std::vector<int> RowImages() const { return e2e::RowImages(program_->Pid(), ruleList_); }
    int RuleCount() const { return RowCount(ruleList_); }
    std::vector<std::wstring> WideRows(int column) const {
        return WideColumnTexts(program_->Pid(), ruleList_, column);
    }
    std::vector<std::string> ListedTitles() const { return ColumnTexts(program_->Pid(), currList_, 0); }
    // The file column of the rows of the helpers' windows.
    std::vector<std::wstring> ListedFiles() const {
        std::vector<std::wstring> files;
        for (const std::wstring& file : WideColumnTexts(program_->Pid(), currList_, 1))
            if (file.find(ui::Widen(folder_.Path(), CP_ACP)) == 0) files.push_back(file);
        return files;
    }
    void SelectRule(int row) { SelectRow(program_->Pid(), ruleList_, row); }
    void SelectWindow(const std::string& title) {
        std::vector<std::string> titles = ListedTitles();
        auto it = std::find(titles.begin(), titles.end(), title);
        ASSERT_NE(it, titles.end()) << title << " is not listed";
        SelectRow(program_->Pid(), currList_, static_cast<int>(it - titles.begin()));
    }

    // The editor opened by a menu command (posted: the dialog is modal).
    Editor OpenEditor(UINT command) {
        PostMessageW(main_, WM_COMMAND, command, 0);
        return WaitForEditor();
    }
    // The editor opened by a double click on a rule's row.
    Editor EditRule(int row) {
        SelectRule(row);
        HWND header = FindWindowExW(ruleList_, nullptr, WC_HEADERW, nullptr);
        RECT bounds{};
        GetWindowRect(header, &bounds);
        int oneRow = HIWORD(SendMessageW(ruleList_, LVM_APPROXIMATEVIEWRECT, 2, -1)) -
                     HIWORD(SendMessageW(ruleList_, LVM_APPROXIMATEVIEWRECT, 1, -1));
        int y = bounds.bottom - bounds.top + row * oneRow + oneRow / 2;
        PostMessageW(ruleList_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, y));
        return WaitForEditor();
    }

private:
    Editor WaitForEditor() {
        HWND dialog = nullptr;
        // Shown once it has made and filled its controls.
        WaitUntil([&] {
            dialog = TopLevelOf(program_->Pid(), L"#32770", kEditorCaption);
            return dialog && IsWindowVisible(dialog);
        });
        EXPECT_NE(dialog, nullptr) << "the rule editor did not open";
        return Editor(dialog);
    }

    // Destroyed from the last: the program ends first and gives the windows
    // back, then the helpers, then the folder with their files.
    ProgramFolder folder_;
    std::vector<std::unique_ptr<helper::HelperClient>> helpers_;
    std::unique_ptr<Program> program_;
    HWND main_ = nullptr, currList_ = nullptr, ruleList_ = nullptr, trayWnd_ = nullptr;
    UINT hookMessage_ = 0;
};

}  // namespace

TEST(Rules, StartUpTreatsPresentWindowsOfTheirPrograms) {
    struct Case {
        const char* name;
        int transparency;
        bool tray, topMost, hideIcon, iconHide;
        const char* show;
        DWORD exStyle;
        // After start-up:
        bool topMostAfter;
        BYTE alpha;
        bool icon;           // the tray entry's icon is shown
        bool entry;          // a minimise report then sends the window into the tray
        bool iconAfterHide;  // and its icon is shown then
    };
    const Case cases[] = {
        {"tray", 100, true, false, false, false, "normal", 0, false, 255, true, true, true},
        {"tray, NIconHide", 100, true, false, false, true, "normal", 0, false, 255, false, true, true},
        {"tray, no icon", 100, true, false, true, true, "normal", 0, false, 255, false, true, false},
        {"minimised, 80 %", 80, true, false, false, false, "min", 0, false, 204, true, true, true},
        {"minimised, 80 %, NIconHide", 80, true, false, false, true, "min", 0, false, 204, false, true, true},
        {"topmost on", 100, false, true, false, false, "normal", 0, true, 255, false, false, false},
        {"topmost off", 100, false, false, false, false, "normal", WS_EX_TOPMOST, false, 255, false, false,
         false},
        {"tray off, no icon", 60, false, false, true, false, "normal", 0, false, 153, false, false, false},
        {"hand-edited 0 %", 0, false, false, false, false, "normal", 0, false, 25, false, false, false},
        {"hand-edited 150 %", 150, false, false, false, false, "normal", 0, false, 255, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s;
        helper::HelperClient& target = s.Helper("Target.exe");
        HWND wnd = target.NewWindow({.title = "Rule target", .show = c.show, .exStyle = c.exStyle});
        // A titled dialog it owns shares its transparency (beside a minimised
        // owner no owned window is shown).
        bool shown = std::string(c.show) == "normal";
        HWND dialog = shown ? target.NewWindow({.title = "Its dialog", .owner = wnd}) : nullptr;
        s.Start({{ImagePath(target.ProcessId()), c.transparency, c.tray, c.topMost, c.hideIcon}}, c.iconHide);
        EXPECT_TRUE(WaitUntil([&] { return OnScreen(wnd) != FALSE; }));
        EXPECT_TRUE(WaitUntil([&] { return IsTopMost(wnd) == c.topMostAfter; }));
        EXPECT_TRUE(WaitUntil([&] { return Alpha(wnd) == c.alpha; })) << int(Alpha(wnd));
        if (dialog) {
            EXPECT_TRUE(WaitUntil([&] { return Alpha(dialog) == c.alpha; })) << int(Alpha(dialog));
        }
        EXPECT_EQ(s.IconShown(1), c.icon);
        s.Notify(hook::HookHideWindow, wnd);
        if (c.entry)
            EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(wnd); }));
        else
            EXPECT_TRUE(IsWindowVisible(wnd));
        EXPECT_EQ(s.IconShown(1), c.iconAfterHide);
    }
}

TEST(Rules, AWindowAlreadyOnTopKeepsItsPlace) {
    Session s;
    helper::HelperClient& target = s.Helper("OnTop.exe");
    HWND wnd = target.NewWindow({.title = "On top by itself", .exStyle = WS_EX_TOPMOST});
    helper::HelperClient other;
    HWND above = other.NewWindow({.title = "On top above it", .exStyle = WS_EX_TOPMOST});
    ASSERT_TRUE(Above(above, wnd));
    s.Start({{ImagePath(target.ProcessId()), 100, false, true, false}});
    EXPECT_TRUE(WaitUntil([&] { return IsTopMost(wnd) != FALSE; }));
    EXPECT_TRUE(Above(above, wnd)) << "the rule moved a window that was on top already";
}

// The road of one event: the program opens its window, the rule puts it into
// the tray, on top and at 80 %; presses on its icon send it away and back; it
// closes; the rule is written back.
TEST(Rules, AWindowReportedLaterFollowsItsRuleUntilItCloses) {
    Session s;
    helper::HelperClient& target = s.Helper("Later.exe");
    Rule rule{ImagePath(target.ProcessId()), 80, true, true, false};
    s.Start({rule});
    HWND wnd = target.NewWindow({.title = "Opened later"});
    EXPECT_FALSE(s.IconShown(1));
    s.Notify(hook::HookWindowCreated, wnd);
    std::vector<std::string> titles = s.ListedTitles();
    EXPECT_NE(std::find(titles.begin(), titles.end(), "Opened later"), titles.end());
    EXPECT_TRUE(s.IconShown(1));
    EXPECT_TRUE(WaitUntil([&] { return OnScreen(wnd) != FALSE; }));
    EXPECT_TRUE(WaitUntil([&] { return IsTopMost(wnd) != FALSE; }));
    EXPECT_TRUE(WaitUntil([&] { return Alpha(wnd) == 204; })) << int(Alpha(wnd));

    s.PressIcon(1);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(wnd); }));
    s.PressIcon(1);
    EXPECT_TRUE(WaitUntil([&] { return OnScreen(wnd) != FALSE; }));

    target.Destroy(wnd);
    s.Notify(hook::HookWindowGone, wnd);
    EXPECT_FALSE(s.IconShown(1));
    titles = s.ListedTitles();
    EXPECT_EQ(std::find(titles.begin(), titles.end(), "Opened later"), titles.end());
    ASSERT_EQ(s.Close(), 0);
    EXPECT_EQ(s.StoredRules(), RulesText({rule}));
}

// A window present at start-up and one that opens later go straight into the
// tray, each once: one taken out stays out through the next refresh.
TEST(Rules, HideOnOpenSendsWindowsIntoTheTrayOnceAsTheyAreMet) {
    Session s;
    helper::HelperClient& target = s.Helper("Messenger.exe");
    HWND present = target.NewWindow({.title = "Present"});
    Rule rule{ImagePath(target.ProcessId()), 100, true, false, false, true};
    s.Start({rule});
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(present); }));
    EXPECT_TRUE(s.IconShown(1));

    HWND later = target.NewWindow({.title = "Later"});
    s.Notify(hook::HookWindowCreated, later);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(later); }));
    EXPECT_TRUE(s.IconShown(2));

    s.PressIcon(1);
    ASSERT_TRUE(WaitUntil([&] { return OnScreen(present) != FALSE; }));
    s.Command(ID_NRefresh);
    // Both windows have one thread, whose requests run in order: once the
    // later window is back, a hide asked by the refresh would have run.
    s.PressIcon(2);
    ASSERT_TRUE(WaitUntil([&] { return OnScreen(later) != FALSE; }));
    EXPECT_TRUE(OnScreen(present));
    ASSERT_EQ(s.Close(), 0);
    EXPECT_EQ(s.StoredRules(), RulesText({rule}));
    EXPECT_NE(s.StoredRules().find(",-1\r\n"), std::string::npos) << s.StoredRules();
}

// The program passes over a window that is not ready yet (disabled, or owned
// by a disabled window) when it first shows; the library reports it again once
// it is, and then it gets its row and its rule.
TEST(Rules, AWindowThatBecomesReadyLateGetsItsRowAndItsRule) {
    struct Case {
        const char* name;
        bool withDialog;  // a dialog of its own is open while it is disabled
    };
    const Case cases[] = {{"disabled for a moment", false}, {"disabled while its dialog is open", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s(Session::Library::Real);
        helper::HelperClient& target = s.Helper("LateTarget.exe");
        s.Start({{ImagePath(target.ProcessId()), 80, false, true, false}});
        auto listed = [&](const std::string& title) {
            std::vector<std::string> titles = s.ListedTitles();
            return std::count(titles.begin(), titles.end(), title);
        };
        HWND wnd = target.NewWindow({.title = "Ready late", .style = WS_OVERLAPPEDWINDOW | WS_DISABLED});
        HWND dialog = c.withDialog ? target.NewWindow({.title = "Its dialog", .owner = wnd}) : nullptr;
        // Reported after the window above, by the same thread: once this one is
        // listed, the program has decided about the other.
        HWND barrier = target.NewWindow({.title = "Ready at once"});
        ASSERT_TRUE(WaitUntil([&] { return listed("Ready at once") == 1; }));
        EXPECT_EQ(listed("Ready late"), 0) << "listed while disabled";
        EXPECT_FALSE(IsTopMost(wnd));

        if (dialog) target.Destroy(dialog);
        target.Enable(wnd, true);
        EXPECT_TRUE(WaitUntil([&] { return listed("Ready late") == 1; })) << "no row once it is ready";
        EXPECT_TRUE(WaitUntil([&] { return IsTopMost(wnd) != FALSE; }));
        EXPECT_TRUE(WaitUntil([&] { return Alpha(wnd) == 204; })) << int(Alpha(wnd));
        // Hidden and shown again, it is reported again: still one row.
        target.Show(wnd, SW_HIDE);
        target.Show(wnd, SW_SHOWNOACTIVATE);
        target.Destroy(barrier);
        HWND after = target.NewWindow({.title = "Ready after"});
        ASSERT_TRUE(WaitUntil([&] { return listed("Ready after") == 1; }));
        EXPECT_EQ(listed("Ready late"), 1);
        target.Destroy(after);
        ASSERT_EQ(s.Close(), 0);
    }
}

TEST(Rules, LetterCaseCountsOnRefreshAndForNewWindowsButNotWhenARuleIsAdded) {
    Session s;
    helper::HelperClient& target = s.Helper("CaseTarget.exe");
    HWND present = target.NewWindow({.title = "Present"});
    std::string path = ImagePath(target.ProcessId());
    Rule rule{SwapNameCase(path), 100, true};
    ASSERT_NE(rule.file, path);
    s.Start({rule});
    EXPECT_FALSE(s.IconShown(1)) << "start-up treated a window whose path differs in case";
    s.Command(ID_NRefresh);
    EXPECT_FALSE(s.IconShown(1)) << "a refresh treated a window whose path differs in case";
    HWND later = target.NewWindow({.title = "Later"});
    s.Notify(hook::HookWindowCreated, later);
    EXPECT_FALSE(s.IconShown(1)) << "a new window whose path differs in case was treated";

    // The same rule once more from the editor: both listed windows follow it.
    Editor editor = s.OpenEditor(ID_NNew);
    editor.SetFile(rule.file);
    Check(editor.Item(TForm3::kGboxTray), true);
    editor.Ok();
    EXPECT_TRUE(WaitUntil([&] { return s.IconShown(1) && s.IconShown(2); }));
    EXPECT_EQ(s.RuleCount(), 1);
    s.Notify(hook::HookHideWindow, present);
    s.Notify(hook::HookHideWindow, later);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(present); }));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(later); }));
}

TEST(Rules, ARegisteredProgramGoesIntoTheTrayAndTrayOffTakesItOut) {
    Session s;
    helper::HelperClient& target = s.Helper("Registered.exe");
    HWND wnd = target.NewWindow({.title = "To register"});
    LONG_PTR style = ExStyle(wnd);
    const std::string path = ImagePath(target.ProcessId());
    s.Start({});
    s.SelectWindow("To register");
    Editor editor = s.OpenEditor(ID_NRegist);
    EditorState state = editor.State();
    EXPECT_EQ(state.file, path);
    EXPECT_EQ(state.transparency, "100%");
    EXPECT_FALSE(state.topMost || state.tray || state.hideIcon);
    Check(editor.Item(TForm3::kGboxTray), true);
    editor.Ok();
    EXPECT_TRUE(WaitUntil([&] { return s.IconShown(1); }));
    EXPECT_EQ(s.Rows(0), std::vector<std::string>{path});
    EXPECT_EQ(s.Rows(1), std::vector<std::string>{"100%"});
    EXPECT_EQ(s.Rows(2), std::vector<std::string>{Ansi("する")});
    EXPECT_EQ(s.Rows(3), std::vector<std::string>{Ansi("しない")});

    s.PressIcon(1);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(wnd); }));
    editor = s.EditRule(0);
    state = editor.State();
    EXPECT_EQ(state.file, path);
    EXPECT_TRUE(state.tray);
    Check(editor.Item(TForm3::kGboxTray), false);
    editor.Ok();
    EXPECT_TRUE(WaitUntil([&] { return OnScreen(wnd) && !s.IconShown(1); }));
    EXPECT_TRUE(WaitUntil([&] { return ExStyle(wnd) == style; })) << ExStyle(wnd);
    EXPECT_EQ(s.Rows(2), std::vector<std::string>{Ansi("しない")});
    s.Notify(hook::HookHideWindow, wnd);
    EXPECT_TRUE(IsWindowVisible(wnd)) << "the window kept its tray entry";
}

// The path with "?" for each letter beyond ASCII (what the Japanese code page
// keeps of Polish and Korean), and its exact UTF-8.
Rule RuleForPath(const std::wstring& path, int transparency, bool topMost) {
    Rule rule{.file = "", .transparency = transparency, .topMost = topMost};
    for (wchar_t c : path) rule.file += c < 0x80 ? static_cast<char>(c) : '?';
    rule.exactUtf8 = ui::Narrow(path, CP_UTF8);
    return rule;
}

// A program in a folder named in Polish and Korean, which the Japanese code
// page cannot write: registered from the window list, its rule treats its
// window and is stored with the exact path beside the code page's text. A
// start with such a rule stored (in another session folder) treats the
// window, shows the path exactly and writes the rule back unchanged.
TEST(Rules, AProgramInAFolderOfAnyScriptHasItsRuleStoredExactly) {
    const std::wstring folder = L"Za\u017C\u0142\u0107 \uD55C\uAD6D";  // no letter of either code page
    {
        Session s;
        helper::HelperClient& target = s.Helper(folder, L"Target.exe");
        HWND wnd = target.NewWindow({.title = "Any script"});
        const std::wstring path = target.WideExePath();
        s.Start({});
        s.SelectWindow("Any script");
        Editor editor = s.OpenEditor(ID_NRegist);
        EXPECT_EQ(WindowTextOf(editor.Item(TForm3::kEdtFile)), path);
        editor.Key(VK_LEFT);
        Check(editor.Item(TForm3::kChkTopMost), true);
        editor.Ok();
        EXPECT_TRUE(WaitUntil([&] { return Alpha(wnd) == 229 && IsTopMost(wnd); })) << int(Alpha(wnd));
        EXPECT_EQ(s.WideRows(0), std::vector<std::wstring>{path});
        ASSERT_EQ(s.Close(), 0);
        EXPECT_EQ(s.StoredRules(), RulesText({RuleForPath(path, 90, true)}));
    }
    Session s;
    helper::HelperClient& target = s.Helper(folder, L"Target.exe");
    HWND wnd = target.NewWindow({.title = "Any script again"});
    const std::wstring path = target.WideExePath();
    s.Start({RuleForPath(path, 90, true)});
    EXPECT_TRUE(WaitUntil([&] { return Alpha(wnd) == 229 && IsTopMost(wnd); })) << int(Alpha(wnd));
    EXPECT_EQ(s.WideRows(0), std::vector<std::wstring>{path});
    EXPECT_EQ(s.ListedFiles(), std::vector<std::wstring>{path});
    ASSERT_EQ(s.Close(), 0);
    EXPECT_EQ(s.StoredRules(), RulesText({RuleForPath(path, 90, true)}));
}

TEST(Rules, RowsFollowTheRulesThroughLoadingEditingAndDeleting) {
    Session s;
    const std::string first = s.ExeFile("First.exe"), second = s.ExeFile("Second.exe");
    const std::string missing = s.Folder() + "Missing.exe", notExe = s.Folder() + "ReadMe.txt";
    // A later line for the same file replaces the earlier rule in its row; a
    // file that is not an executable is dropped; a missing one is kept.
    s.Start({{first, 50, true, false, false},
             {second, 100, false, true, false},
             {notExe, 100, true, false, false},
             {missing, 30, true, true, true},
             {first, 80, true, true, false}});
    const std::string yes = Ansi("する"), no = Ansi("しない");
    EXPECT_EQ(s.Rows(0), (std::vector<std::string>{first, second, missing}));
    EXPECT_EQ(s.Rows(1), (std::vector<std::string>{"80%", "100%", "30%"}));
    EXPECT_EQ(s.Rows(2), (std::vector<std::string>{yes, no, yes}));
    EXPECT_EQ(s.Rows(3), (std::vector<std::string>{yes, yes, yes}));
    EXPECT_EQ(s.RowImages(), (std::vector<int>{0, 1, 2}));

    Editor editor = s.EditRule(1);
    EditorState state = editor.State();
    EXPECT_EQ(state.file, second);
    EXPECT_EQ(state.transparency, "100%");
    EXPECT_TRUE(state.topMost);
    EXPECT_FALSE(state.tray || state.hideIcon);
    editor.Key(VK_LEFT);
    editor.Key(VK_LEFT);
    editor.Ok();
    EXPECT_TRUE(WaitUntil([&] { return s.Rows(1) == std::vector<std::string>{"80%", "80%", "30%"}; }));
    EXPECT_EQ(s.Rows(0), (std::vector<std::string>{first, second, missing}));
    EXPECT_EQ(s.RowImages(), (std::vector<int>{0, 1, 2}));

    s.SelectRule(0);
    s.Command(ID_NRegDelete);
    EXPECT_EQ(s.Rows(0), (std::vector<std::string>{second, missing}));
    EXPECT_EQ(s.RowImages(), (std::vector<int>{0, 1}));
    ASSERT_EQ(s.Close(), 0);
    EXPECT_EQ(s.StoredRules(),
              RulesText({{second, 80, false, true, false}, {missing, 30, true, true, true}}));
}

// Each refused file is tried for a new rule while the list is empty, then
// for the edited rule once there is one.
TEST(Rules, TheEditorChangesNothingForAFileThatIsNoExistingExecutable) {
    Session s;
    const std::string kept = s.ExeFile("Kept.exe");
    CreateDirectoryA((s.Folder() + "Folder.exe").c_str(), nullptr);
    const std::vector<std::string> refused = {s.Folder() + "ReadMe.txt", s.Folder() + "Missing.exe",
                                              s.Folder() + "Folder.exe", ""};
    s.Start({});
    for (const std::string& file : refused) {
        SCOPED_TRACE(file);
        Editor added = s.OpenEditor(ID_NNew);
        added.SetFile(file);
        added.Ok();
        s.Sync();
        ASSERT_TRUE(s.Running());
        EXPECT_EQ(s.RuleCount(), 0);
    }
    Editor editor = s.OpenEditor(ID_NNew);
    editor.SetFile(kept);
    editor.Key(VK_LEFT);
    editor.Ok();
    ASSERT_TRUE(WaitUntil([&] { return s.RuleCount() == 1; }));
    for (const std::string& file : refused) {
        SCOPED_TRACE(file);
        Editor edited = s.EditRule(0);
        edited.SetFile(file);
        edited.Ok();
        s.Sync();
        ASSERT_TRUE(s.Running());
        EXPECT_EQ(s.Rows(0), std::vector<std::string>{kept});
        EXPECT_EQ(s.Rows(1), std::vector<std::string>{"90%"});
    }
}

TEST(Rules, DeleteAllLeavesNoRuleToWriteBack) {
    Session s;
    s.Start(
        {{s.ExeFile("One.exe"), 50, true, false, false}, {s.Folder() + "Gone.exe", 100, false, true, false}});
    ASSERT_EQ(s.RuleCount(), 2);
    s.Command(ID_NClear);
    EXPECT_EQ(s.RuleCount(), 0);
    s.Command(ID_NClear);
    EXPECT_EQ(s.RuleCount(), 0);
    ASSERT_EQ(s.Close(), 0);
    EXPECT_EQ(s.StoredRules(), "");
}
