// What a refresh of the window list costs in the real pelmora.exe, against a
// loop that makes only the platform calls no refresh can do without, for 50,
// 100, 200 and 400 windows of 20 helper processes: a fresh refresh (no window
// listed before) and a repeated one (nothing changed); then what rules for 50
// of 400 windows add to a refresh, and how long a posted "window created"
// notification takes to become a row. Run under Wine (or on Windows). Not a
// test: it prints figures and never fails on time.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <tuple>
#include <memory>
#include <string>
#include <vector>

#include "Fakes.h"
#include "Harness.h"
#include "HelperClient.h"
#include "RemoteList.h"
#include "MenuDescription.h"
#include "ProgramContract.h"
#include "hook/HookContract.h"
#include "ui/Dpi.h"
#include "ui/ImageLists.h"
#include "windows/WinInfo.h"
#include "windows/WindowEnumeration.h"
#include "windows/WindowHelpers.h"

#include "Timing.h"

namespace {

constexpr int kHelperCount = 20;
constexpr int kRuns = 21;

double Millis(const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// Windows of 20 helper processes, handed out round robin. Every fourth class
// has no small icon, so the shell's icon for the executable stands in.
class Desktop {
public:
    Desktop() {
        for (int i = 0; i < kHelperCount; ++i) helpers_.push_back(std::make_unique<helper::HelperClient>());
    }
    HWND NewWindow() {
        int n = made_++;
        windows_.push_back(helpers_[n % kHelperCount]->NewWindow(
            {.title = "Bench window " + std::to_string(n), .classIcon = n % 4 == 3 ? "none" : "custom"}));
        return windows_.back();
    }
    const std::vector<HWND>& Windows() const { return windows_; }
    void FillTo(int count) {
        while (made_ < count) NewWindow();
    }

private:
    std::vector<std::unique_ptr<helper::HelperClient>> helpers_;
    std::vector<HWND> windows_;
    int made_ = 0;
};

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND wnd, LPARAM list) WINAPI -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string ProcessPath(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return {};
    char path[MAX_PATH * 4];
    DWORD size = sizeof path;
    std::string result = QueryFullProcessImageNameA(process, 0, path, &size) ? std::string(path, size) : "";
    CloseHandle(process);
    return result;
}

using IconKey = std::tuple<DWORD, HICON, std::string>;

// Copies the icon into `images` unless an equal one is there: the same class
// icon of the same process, or without one the shell's icon of the same path.
void TakeIcon(std::set<IconKey>& seen, DWORD pid, HICON classIcon, const std::string& path,
              HIMAGELIST images) {
    if (!seen.insert(classIcon ? IconKey{pid, classIcon, ""} : IconKey{0, nullptr, path}).second) return;
    HICON icon = classIcon;
    if (!icon) {
        SHFILEINFOA info{};
        if (SHGetFileInfoA(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                           SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES))
            icon = info.hIcon;
    }
    ui::AddIconImage(images, icon);
    if (icon && !classIcon) DestroyIcon(icon);
}

// What any refresh of a fresh list must do: one enumeration; visibility,
// owner and the caption the system keeps for each window; the process and the
// class icon of each listed window; one path query per process; one copy into
// the image list per distinct icon. Returns the number of windows listed.
int BaselineRefresh(HIMAGELIST images) {
    ImageList_RemoveAll(images);
    std::map<DWORD, std::string> paths;
    std::set<IconKey> icons;
    int listed = 0;
    for (HWND wnd : TopLevelWindows()) {
        if (!IsWindowVisible(wnd) || GetWindow(wnd, GW_OWNER)) continue;
        wchar_t title[256] = L"";
        if (InternalGetWindowText(wnd, title, 256) <= 0 || lstrcmpiW(title, L"program manager") == 0)
            continue;
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        auto path = paths.find(pid);
        if (path == paths.end()) path = paths.emplace(pid, ProcessPath(pid)).first;
        TakeIcon(icons, pid, reinterpret_cast<HICON>(GetClassLongPtrW(wnd, GCLP_HICONSM)), path->second,
                 images);
        ++listed;
    }
    return listed;
}

// The program's own routines for the same work, piece by piece, in this
// process: where a refresh spends its time apart from the list view.
void Pieces() {
    TWinInfoList infos;
    std::vector<TWinInfo*> listed;
    std::vector<TIcon> icons;
    auto images = ui::CreateSmallImageList(ui::SystemDpi());
    double enumerate = Millis([&] { EnumerateWindows(infos, 0, true); });
    double filters = Millis([&] {
        for (auto& info : infos)
            if (info->GetVisible() && !info->GetTitle().empty() && !info->GetOwnerWnd())
                listed.push_back(info.get());
    });
    double paths = Millis([&] {
        for (TWinInfo* info : listed) info->GetFileName();
    });
    double iconTime = Millis([&] {
        for (TWinInfo* info : listed) icons.push_back(GetWindowIcon(info->Wnd(), info->GetFileName()));
    });
    double copies = Millis([&] {
        for (const TIcon& icon : icons) ui::AddIconImage(images.get(), icon.Handle());
    });
    std::printf(
        "     pieces in this process: enumerate %.2f, visible/title/owner %.2f, paths %.2f, icons %.2f, "
        "icon copies into an image list %.2f ms\n",
        enumerate, filters, paths, iconTime, copies);
}

// One change of the row count of a shown owner-data list view in this
// process: the program pays it once per refresh and once per new row.
void RowCountChange() {
    InitCommonControls();
    HWND top = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                               nullptr, nullptr, nullptr);
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0, 580, 360, top,
                                nullptr, nullptr, nullptr);
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNW col{};
        col.mask = LVCF_WIDTH;
        col.cx = 200;
        ListView_InsertColumn(list, column, &col);
    }
    ListView_SetItemCountEx(list, 400, 0);
    UpdateWindow(top);
    constexpr int kChanges = 20;
    double ms = Millis([&] {
        for (int i = 1; i <= kChanges; ++i) ListView_SetItemCountEx(list, 400 + i, 0);
    });
    std::printf("row count change of a shown owner-data list view with 400 rows: %.2f ms each\n",
                ms / kChanges);
    DestroyWindow(top);
}

struct Running {
    e2e::ProgramFolder folder;
    std::unique_ptr<e2e::Program> program;
    HWND main = nullptr;
    HWND list = nullptr;
    UINT hookMessage = RegisterWindowMessageA(hook::kHookMessageName);
};

// Drops the helper windows' rows as their "window gone" notifications would,
// so that the next refresh finds them all new.
void DropRows(Running& app, const Desktop& desktop) {
    for (HWND wnd : desktop.Windows())
        SendMessageW(app.main, app.hookMessage, hook::HookWindowGone, reinterpret_cast<LPARAM>(wnd));
}

void CompareRefresh(Running& app, Desktop& desktop, int windows) {
    desktop.FillTo(windows);
    auto images = ui::CreateSmallImageList(ui::SystemDpi());
    std::vector<double> fresh, again, baseline;
    int listed = 0;
    auto refreshOnce = [&] { SendMessageW(app.main, WM_COMMAND, ID_NRefresh, 0); };
    refreshOnce();  // warm-up: caches, first icons, paged-in code
    BaselineRefresh(images.get());
    for (int run = 0; run < kRuns; ++run) {  // interleaved, so load changes hit all three alike
        DropRows(app, desktop);
        Sleep(20);  // the program paints outside the measured time
        fresh.push_back(Millis(refreshOnce));
        Sleep(20);
        again.push_back(Millis(refreshOnce));
        baseline.push_back(Millis([&] { listed = BaselineRefresh(images.get()); }));
    }
    double f = bench::Median(fresh), a = bench::Median(again), b = bench::Median(baseline);
    std::printf("%3d | %4d | %4d | %8.2f | %5.2f | %8.2f | %5.2f | %8.2f\n", windows, e2e::RowCount(app.list),
                listed, f, f / b, a, a / b, b);
    Pieces();
}

struct RuledFigures {
    std::vector<double> same, ui, done;  // nothing to change; alpha taken away: returned, all applied
};

BYTE AlphaOf(HWND wnd) {
    BYTE alpha = 0;
    DWORD flags = 0;
    return GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) ? alpha : 255;
}

// Starts the program of `folder` and measures refreshes: the time until the
// command returns, and until each ruled window has its rule's alpha again
// (taken from it before each refresh, so that the rule has work to do; the
// window worker does that work after the command has returned).
void MeasureRefreshes(const e2e::ProgramFolder& folder, const std::vector<HWND>& ruledWindows, bool ruled,
                      RuledFigures& figures) {
    e2e::Program program(folder);
    HWND main = program.MainWindow();
    if (!main) return;
    auto refreshOnce = [&] { SendMessageW(main, WM_COMMAND, ID_NRefresh, 0); };
    refreshOnce();  // warm-up; the rule takes hold
    for (int run = 0; run < 7; ++run) {
        Sleep(50);
        figures.same.push_back(Millis(refreshOnce));
        for (HWND wnd : ruledWindows) SetLayeredWindowAttributes(wnd, 0, 255, LWA_ALPHA);
        Sleep(50);
        double start = bench::NowMs();
        refreshOnce();
        figures.ui.push_back(bench::NowMs() - start);
        auto applied = [&] {
            return std::all_of(ruledWindows.begin(), ruledWindows.end(),
                               [](HWND wnd) { return AlphaOf(wnd) == 204; });
        };
        while (ruled && !applied() && bench::NowMs() - start < 10000) Sleep(1);
        figures.done.push_back(bench::NowMs() - start);
    }
    program.Close();
}

std::string SettingsWithRule(const std::string& exe) {
    return "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n<configuration>\r\n  <appSettings>\r\n"
           "    <add key=\"RegistWindows\" value=\"" +
           exe + ",80,0,0,0\r\n\"/>\r\n  </appSettings>\r\n</configuration>\r\n";
}

// A refresh with 50 windows at 80 % by a rule, among the desktop's windows,
// against the same refresh without rules; the program is started anew for each
// round, the two kinds alternating.
void RuledRefresh(const Desktop& desktop) {
    e2e::ProgramFolder plain("-plain"), ruled("-ruled");
    std::string ruledExe = ruled.Path() + "ruled_program.exe";
    if (!helper::HelperClient::CopyHelperTo(ruledExe)) {
        std::printf("could not copy the helper\n");
        return;
    }
    helper::HelperClient ruledHelper(ruledExe);
    std::vector<HWND> ruledWindows;
    for (int i = 0; i < 50; ++i)
        ruledWindows.push_back(ruledHelper.NewWindow({.title = "Ruled window " + std::to_string(i)}));
    for (const e2e::ProgramFolder* folder : {&plain, &ruled}) folder->UseLibrary(e2e::SilentLibrary());
    ruled.WriteSettings(SettingsWithRule(ruledExe));
    RuledFigures without, with;
    for (int round = 0; round < 3; ++round) {
        MeasureRefreshes(plain, ruledWindows, false, without);
        MeasureRefreshes(ruled, ruledWindows, true, with);
    }
    double s0 = bench::Median(without.same), s1 = bench::Median(with.same);
    double u0 = bench::Median(without.ui), u1 = bench::Median(with.ui), d1 = bench::Median(with.done);
    std::printf("refresh, %zu helper windows and 50 more ruled at 80 %%, medians of %zu:\n",
                desktop.Windows().size(), with.ui.size());
    std::printf("  the ruled windows have their alpha: no rules %.2f ms, rules %.2f ms (%.2f x)\n", s0, s1,
                s1 / s0);
    std::printf(
        "  their alpha taken away before: no rules %.2f ms; rules %.2f ms (%.2f x) until the command "
        "returns, "
        "%.2f ms (%.2f x) until all 50 have their alpha again\n",
        u0, u1, u1 / u0, d1, d1 / u0);
}

// Asks the list for its row count as fast as the program answers (the
// harness's wait sleeps 50 ms between looks, too coarse here).
bool PollUntilRows(HWND list, int rows) {
    DWORD start = GetTickCount();
    while (e2e::RowCount(list) < rows)
        if (GetTickCount() - start > 5000) return false;
    return true;
}

void CreatedToRow(Running& app, Desktop& desktop) {
    std::vector<double> times;
    int missed = 0;
    for (int i = 0; i < 100; ++i) {
        HWND wnd = desktop.NewWindow();
        int before = e2e::RowCount(app.list);
        bool arrived = false;
        times.push_back(Millis([&] {
            PostMessageW(app.main, app.hookMessage, hook::HookWindowCreated, reinterpret_cast<LPARAM>(wnd));
            arrived = PollUntilRows(app.list, before + 1);
        }));
        if (!arrived) ++missed;
    }
    std::printf("posted code 3 to its row in the list, 100 new windows: median %.2f ms, worst %.2f ms%s\n",
                bench::Median(times), *std::max_element(times.begin(), times.end()),
                missed ? (" (" + std::to_string(missed) + " never listed)").c_str() : "");
}

}  // namespace

// With the argument "rules", only the comparison of a refresh with and without
// rules runs.
int main(int argc, char** argv) {
    Desktop desktop;
    if (argc > 1 && std::string(argv[1]) == "rules") {
        desktop.FillTo(400);
        RuledRefresh(desktop);
        return 0;
    }
    Running app;
    app.folder.UseLibrary(e2e::SilentLibrary());  // the benchmark alone sends notifications
    app.program = std::make_unique<e2e::Program>(app.folder);
    app.main = app.program->MainWindow();
    app.list = app.main ? GetDlgItem(app.main, kIdCurrWin) : nullptr;
    if (!app.list) {
        std::printf("pelmora.exe did not start\n");
        return 1;
    }
    std::printf("window list refresh, medians of %d interleaved runs, windows of %d helper processes\n",
                kRuns, kHelperCount);
    std::printf(
        "helper windows | rows | baseline rows | fresh NRefreshClick ms | ratio | repeated NRefreshClick ms "
        "| "
        "ratio | baseline ms\n");
    for (int windows : {50, 100, 200, 400}) CompareRefresh(app, desktop, windows);
    app.program->Close();
    RuledRefresh(desktop);
    app.program = std::make_unique<e2e::Program>(app.folder);
    app.main = app.program->MainWindow();
    app.list = app.main ? GetDlgItem(app.main, kIdCurrWin) : nullptr;
    if (app.list) CreatedToRow(app, desktop);
    RowCountChange();
    app.program->Close();
}
