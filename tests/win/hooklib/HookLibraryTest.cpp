// pelmora.dll against the windows of another process (the helper's): the codes that
// creating, showing, minimising, activating and destroying them produce, once each,
// and what StartHook and StopHook promise. Under Wine the library runs on its global
// hooks; the recorder window stands in for the main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "HelperClient.h"
#include "HookLibrary.h"
#include "HookRecorder.h"
#include "hook/HookContract.h"

namespace {

using hooktest::HookLibrary;
using hooktest::HookRecorder;
using Codes = std::map<WPARAM, int>;

class HookLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(library.Loaded()) << "pelmora.dll or one of its exports is missing";
        ASSERT_TRUE(library.Start(recorder.Window()));
    }
    void TearDown() override { library.Stop(); }

    HWND NewWindow(const std::string& title, const std::string& show = "normal", HWND owner = nullptr,
                   HWND parent = nullptr) {
        helper::WindowSpec request;
        request.title = title;
        request.show = show;
        request.owner = owner;
        request.parent = parent;
        return app.NewWindow(request);
    }

    // Returns once everything the helper's main thread did before has been
    // reported: a window it makes now is reported after all of it.
    void Barrier() {
        HWND mark = NewWindow("Barrier");
        ASSERT_TRUE(recorder.WaitFor(hook::HookWindowCreated, mark));
    }

    helper::HelperClient app;
    HookRecorder recorder;
    HookLibrary library;
};

TEST_F(HookLibraryTest, EachStepInTheLifeOfAWindowIsReportedOnce) {
    struct Step {
        const char* what;
        void (*act)(helper::HelperClient&, HWND);
        std::optional<WPARAM> code;  // the code this step adds, if any
    };
    const Step steps[] = {
        {"show", [](helper::HelperClient& a, HWND w) { a.Show(w, SW_SHOWNOACTIVATE); },
         hook::HookWindowCreated},
        {"retitle", [](helper::HelperClient& a, HWND w) { a.SetText(w, "Life, renamed"); }, std::nullopt},
        // Ready for the user again after a time without: the main window may have
        // passed it over, so it hears of it again.
        {"hide and show again",
         [](helper::HelperClient& a, HWND w) {
             a.Show(w, SW_HIDE);
             a.Show(w, SW_SHOWNOACTIVATE);
         },
         hook::HookWindowCreated},
        {"disable", [](helper::HelperClient& a, HWND w) { a.Enable(w, false); }, std::nullopt},
        {"enable", [](helper::HelperClient& a, HWND w) { a.Enable(w, true); }, hook::HookWindowCreated},
        {"clear the title", [](helper::HelperClient& a, HWND w) { a.SetText(w, ""); }, std::nullopt},
        {"title it again", [](helper::HelperClient& a, HWND w) { a.SetText(w, "Life, titled again"); },
         hook::HookWindowCreated},
        {"activate", [](helper::HelperClient& a, HWND w) { a.Activate(w); }, hook::HookWindowActivated},
        {"minimise", [](helper::HelperClient& a, HWND w) { a.Show(w, SW_MINIMIZE); }, hook::HookHideWindow},
        {"destroy", [](helper::HelperClient& a, HWND w) { a.Destroy(w); }, hook::HookWindowGone},
    };
    HWND wnd = NewWindow("Life", "hidden");
    Barrier();
    EXPECT_EQ(recorder.CodesFor(wnd), Codes{}) << "created hidden: nothing to report yet";
    Codes expected;
    for (const Step& step : steps) {
        step.act(app, wnd);
        if (step.code) ++expected[*step.code];
        Barrier();
        EXPECT_EQ(recorder.CodesFor(wnd), expected) << "after " << step.what;
    }
}

TEST_F(HookLibraryTest, AWindowCreatedVisibleIsReportedOnce) {
    HWND wnd = NewWindow("Visible at once");
    ASSERT_TRUE(recorder.WaitFor(hook::HookWindowCreated, wnd));
    recorder.Settle();
    EXPECT_EQ(recorder.CodesFor(wnd), (Codes{{hook::HookWindowCreated, 1}}));
}

TEST_F(HookLibraryTest, AnUntitledWindowIsReportedOnceItHasATitle) {
    HWND wnd = NewWindow("");
    recorder.Settle();
    EXPECT_EQ(recorder.Count(hook::HookWindowCreated, wnd), 0);
    app.SetText(wnd, "Titled later");
    ASSERT_TRUE(recorder.WaitFor(hook::HookWindowCreated, wnd));
    app.SetText(wnd, "Titled again");
    recorder.Settle();
    EXPECT_EQ(recorder.Count(hook::HookWindowCreated, wnd), 1);
}

TEST_F(HookLibraryTest, OwnedWindowsAreReportedChildWindowsAreNot) {
    HWND owner = NewWindow("Owner");
    HWND dialog = NewWindow("Owned dialog", "normal", owner);
    HWND child = NewWindow("Child", "normal", nullptr, owner);
    ASSERT_TRUE(recorder.WaitFor(hook::HookWindowCreated, dialog));
    app.Destroy(dialog);
    ASSERT_TRUE(recorder.WaitFor(hook::HookWindowGone, dialog));
    app.Destroy(child);
    recorder.Settle();
    EXPECT_EQ(recorder.CodesFor(dialog), (Codes{{hook::HookWindowCreated, 1}, {hook::HookWindowGone, 1}}));
    EXPECT_EQ(recorder.CodesFor(child), Codes{});
}

TEST_F(HookLibraryTest, TheDestructionOfAWindowThatExistedBeforeTheStartIsReported) {
    library.Stop();
    HWND wnd = NewWindow("There before");
    recorder.Settle();
    ASSERT_TRUE(library.Start(recorder.Window()));
    app.Destroy(wnd);
    ASSERT_TRUE(recorder.WaitFor(hook::HookWindowGone, wnd));
    recorder.Settle();
    EXPECT_EQ(recorder.CodesFor(wnd), (Codes{{hook::HookWindowGone, 1}}));
}

// Where the library watches windows from inside their process, it takes in those made
// before it started (or while it was stopped) at the process's next hook call.
TEST_F(HookLibraryTest, AWindowHiddenBeforeTheStartIsReportedWhenItShows) {
    Barrier();  // the helper's process has met the library
    library.Stop();
    HWND hidden = NewWindow("Hidden before the start", "hidden");
    ASSERT_TRUE(library.Start(recorder.Window()));
    Barrier();
    app.Show(hidden, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(recorder.WaitFor(hook::HookWindowCreated, hidden));
    recorder.Settle();
    EXPECT_EQ(recorder.CodesFor(hidden), (Codes{{hook::HookWindowCreated, 1}}));
}

// A watched window's messages reach its own procedure unchanged, in its character set,
// while the library runs and after it stops.
TEST_F(HookLibraryTest, WatchedWindowsKeepTheirTextAndCharacterSet) {
    const std::wstring wanted = L"窓 Ωmega é";
    std::string ansi(64, '\0');
    ansi.resize(WideCharToMultiByte(CP_ACP, 0, wanted.c_str(), -1, ansi.data(), 64, nullptr, nullptr) - 1);
    std::wstring expected(64, L'\0');
    expected.resize(MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, expected.data(), 64) - 1);
    for (bool unicode : {false, true}) {
        helper::WindowSpec request;
        request.title = "Watched";
        request.unicode = unicode;
        HWND wnd = app.NewWindow(request);
        ASSERT_TRUE(recorder.WaitFor(hook::HookWindowCreated, wnd));
        for (bool running : {true, false}) {
            app.SetText(wnd, ansi);
            wchar_t title[64] = {};
            GetWindowTextW(wnd, title, 64);
            EXPECT_EQ(title, expected) << (unicode ? "Unicode" : "ANSI") << (running ? ", running" : ", stopped");
            EXPECT_EQ(IsWindowUnicode(wnd) != FALSE, unicode);
            library.Stop();
        }
        ASSERT_TRUE(library.Start(recorder.Window()));
    }
}

// A window watched by one copy of the library (an earlier run from another folder)
// reports to the copy that runs now, and is not wrapped twice.
TEST_F(HookLibraryTest, WindowsWatchedByAnotherCopyReportToTheCopyThatRuns) {
    HWND wnd = NewWindow("Watched by the first copy");
    ASSERT_TRUE(recorder.WaitFor(hook::HookWindowCreated, wnd));
    library.Stop();

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    // One name for every run: a helper that still holds the copy has ended by the next.
    const std::string copyPath = std::string(temp) + "pelmora-hook-copy.dll";
    ASSERT_TRUE(CopyFileA(hooktest::WindowsPath(PELMORA_HOOK_DLL).c_str(), copyPath.c_str(), FALSE));
    {
        HookLibrary copy(copyPath);
        ASSERT_TRUE(copy.Loaded());
        ASSERT_TRUE(copy.Start(recorder.Window()));
        Barrier();  // the helper's process has met the copy
        app.Show(wnd, SW_HIDE);
        app.Show(wnd, SW_SHOWNOACTIVATE);
        EXPECT_TRUE(recorder.WaitFor(hook::HookWindowCreated, wnd, 2));
    }
    ASSERT_TRUE(library.Start(recorder.Window()));
}

TEST_F(HookLibraryTest, StopHookRemovesEverythingAndTheHookCanStartAgain) {
    library.Stop();
    library.Stop();  // twice is harmless
    HWND quiet = NewWindow("After the stop");
    app.Show(quiet, SW_MINIMIZE);
    app.Destroy(quiet);
    recorder.Settle(500);
    EXPECT_EQ(recorder.CodesFor(quiet), Codes{});

    ASSERT_TRUE(library.Start(recorder.Window()));
    HWND again = NewWindow("After the restart");
    EXPECT_TRUE(recorder.WaitFor(hook::HookWindowCreated, again));
}

TEST_F(HookLibraryTest, StartHookFailsWhileRunningAndForAWindowThatDoesNotExist) {
    EXPECT_FALSE(library.Start(recorder.Window())) << "already running";
    HWND wnd = NewWindow("Still reported");
    EXPECT_TRUE(recorder.WaitFor(hook::HookWindowCreated, wnd)) << "the first start goes on";
    library.Stop();

    HWND gone = NewWindow("Gone");
    app.Destroy(gone);
    EXPECT_FALSE(library.Start(gone));
    EXPECT_FALSE(library.Start(nullptr));
}

TEST(HookLibraryUnload, StopHookAndFreeLibraryUnloadTheLibrary) {
    HookRecorder recorder;
    {
        HookLibrary library;
        ASSERT_TRUE(library.Loaded());
        ASSERT_TRUE(library.Start(recorder.Window()));
        helper::HelperClient app;
        helper::WindowSpec request;
        request.title = "Seen";
        HWND wnd = app.NewWindow(request);
        ASSERT_TRUE(recorder.WaitFor(hook::HookWindowCreated, wnd));
    }
    // The library's thread has ended and let go of the module.
    EXPECT_EQ(GetModuleHandleA("pelmora.dll"), nullptr);
}

}  // namespace
