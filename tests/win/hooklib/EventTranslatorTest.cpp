// The translation from window events to notification codes, fed the WinEvents that
// Windows raises for real windows of another process (the helper's). This is the
// Windows source's path; under Wine those events are never raised by themselves.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "HelperClient.h"
#include "hook/HookContract.h"
#include "hooklib/EventTranslator.h"

namespace {

using hooklib::EventTranslator;

class EventTranslatorTest : public ::testing::Test {
protected:
    void SetUp() override { translator.Seed(); }

    // The codes the translation gives for one event about a window, in order.
    std::vector<WPARAM> FeedAll(DWORD event, HWND window, LONG object = OBJID_WINDOW,
                                LONG child = CHILDID_SELF) {
        std::vector<WPARAM> codes;
        for (const hooklib::Notification& note : translator.Translate(event, window, object, child)) {
            EXPECT_EQ(note.window, window);
            codes.push_back(note.code);
        }
        return codes;
    }

    // The one code the translation gives for an event that reports at most one thing.
    std::optional<WPARAM> Feed(DWORD event, HWND window, LONG object = OBJID_WINDOW,
                               LONG child = CHILDID_SELF) {
        const std::vector<WPARAM> codes = FeedAll(event, window, object, child);
        EXPECT_LE(codes.size(), 1u);
        if (codes.empty()) return std::nullopt;
        return codes.front();
    }

    HWND NewWindow(const std::string& title, const std::string& show = "normal", HWND owner = nullptr) {
        helper::WindowSpec request;
        request.title = title;
        request.show = show;
        request.owner = owner;
        return app.NewWindow(request);
    }

    helper::HelperClient app;
    EventTranslator translator;
};

TEST_F(EventTranslatorTest, AWindowShownLaterIsReportedOnceWhenItFirstBecomesVisible) {
    HWND wnd = NewWindow("Translated", "hidden");
    EXPECT_EQ(Feed(EVENT_OBJECT_CREATE, wnd), std::nullopt) << "not visible yet";
    app.Show(wnd, SW_SHOWNOACTIVATE);
    EXPECT_EQ(Feed(EVENT_OBJECT_SHOW, wnd), hook::HookWindowCreated);
    EXPECT_EQ(Feed(EVENT_OBJECT_SHOW, wnd), std::nullopt);
    app.SetText(wnd, "Renamed");
    EXPECT_EQ(Feed(EVENT_OBJECT_NAMECHANGE, wnd), std::nullopt);
}

// Each change that makes a window ready for the user again is reported once; changes
// while it stays ready or stays unready are not.
TEST_F(EventTranslatorTest, AWindowThatBecomesReadyAgainIsReportedAgainOncePerChange) {
    struct Step {
        const char* what;
        void (*act)(helper::HelperClient&, HWND);
        DWORD event;
        bool reported;
    };
    const Step steps[] = {
        {"disabled", [](helper::HelperClient& a, HWND w) { a.Enable(w, false); }, EVENT_OBJECT_STATECHANGE, false},
        {"shown disabled", [](helper::HelperClient& a, HWND w) { a.Show(w, SW_SHOWNOACTIVATE); },
         EVENT_OBJECT_SHOW, false},
        {"enabled", [](helper::HelperClient& a, HWND w) { a.Enable(w, true); }, EVENT_OBJECT_STATECHANGE, true},
        {"enabled, the event again", [](helper::HelperClient&, HWND) {}, EVENT_OBJECT_STATECHANGE, false},
        {"hidden", [](helper::HelperClient& a, HWND w) { a.Show(w, SW_HIDE); }, EVENT_OBJECT_HIDE, false},
        {"shown again", [](helper::HelperClient& a, HWND w) { a.Show(w, SW_SHOWNOACTIVATE); },
         EVENT_OBJECT_SHOW, true},
        {"title cleared", [](helper::HelperClient& a, HWND w) { a.SetText(w, ""); }, EVENT_OBJECT_NAMECHANGE,
         false},
        {"titled again", [](helper::HelperClient& a, HWND w) { a.SetText(w, "Back"); }, EVENT_OBJECT_NAMECHANGE,
         true},
        {"retitled", [](helper::HelperClient& a, HWND w) { a.SetText(w, "Renamed"); }, EVENT_OBJECT_NAMECHANGE,
         false},
    };
    HWND wnd = NewWindow("Late", "hidden");
    EXPECT_EQ(Feed(EVENT_OBJECT_CREATE, wnd), std::nullopt);
    for (const Step& step : steps) {
        step.act(app, wnd);
        EXPECT_EQ(Feed(step.event, wnd), step.reported ? std::optional<WPARAM>(hook::HookWindowCreated) : std::nullopt)
            << step.what;
    }
}

TEST_F(EventTranslatorTest, AWindowCreatedVisibleIsReportedAtCreationOnly) {
    HWND wnd = NewWindow("Visible at once");
    EXPECT_EQ(Feed(EVENT_OBJECT_CREATE, wnd), hook::HookWindowCreated);
    EXPECT_EQ(Feed(EVENT_OBJECT_SHOW, wnd), std::nullopt);
}

TEST_F(EventTranslatorTest, AnUntitledWindowIsReportedWhenItGetsItsTitle) {
    HWND wnd = NewWindow("");
    EXPECT_EQ(Feed(EVENT_OBJECT_SHOW, wnd), std::nullopt);
    app.SetText(wnd, "Titled later");
    EXPECT_EQ(Feed(EVENT_OBJECT_NAMECHANGE, wnd), hook::HookWindowCreated);
    EXPECT_EQ(Feed(EVENT_OBJECT_NAMECHANGE, wnd), std::nullopt);
}

TEST_F(EventTranslatorTest, AnOwnedWindowIsReportedItself) {
    HWND owner = NewWindow("Owner");
    HWND dialog = NewWindow("Owned dialog", "normal", owner);
    EXPECT_EQ(Feed(EVENT_OBJECT_SHOW, dialog), hook::HookWindowCreated);
}

TEST_F(EventTranslatorTest, MinimisingForegroundAndDestructionOfATopLevelWindow) {
    HWND wnd = NewWindow("Life");
    EXPECT_EQ(Feed(EVENT_OBJECT_SHOW, wnd), hook::HookWindowCreated);
    app.Show(wnd, SW_MINIMIZE);
    EXPECT_EQ(Feed(EVENT_SYSTEM_MINIMIZESTART, wnd), hook::HookHideWindow);
    EXPECT_EQ(Feed(EVENT_SYSTEM_FOREGROUND, wnd), hook::HookWindowActivated);
    app.Destroy(wnd);
    // Out of context the event comes after the window is gone.
    EXPECT_EQ(Feed(EVENT_OBJECT_DESTROY, wnd), hook::HookWindowGone);
    EXPECT_EQ(Feed(EVENT_OBJECT_DESTROY, wnd), std::nullopt);
}

// Under Wine a shown window is activated before its show is learnt: the activation
// already reports it, ahead of its coming to the foreground, and only once.
TEST_F(EventTranslatorTest, AWindowFirstSeenComingToTheForegroundIsReportedCreatedFirst) {
    using Codes = std::vector<WPARAM>;
    HWND hidden = NewWindow("Activated hidden", "hidden");
    EXPECT_EQ(FeedAll(EVENT_SYSTEM_FOREGROUND, hidden), Codes{hook::HookWindowActivated}) << "not ready";
    app.Show(hidden, SW_SHOW);
    EXPECT_EQ(FeedAll(EVENT_SYSTEM_FOREGROUND, hidden),
              (Codes{hook::HookWindowCreated, hook::HookWindowActivated}));
    EXPECT_EQ(FeedAll(EVENT_OBJECT_SHOW, hidden), Codes{});
    EXPECT_EQ(FeedAll(EVENT_SYSTEM_FOREGROUND, hidden), Codes{hook::HookWindowActivated});
}

TEST_F(EventTranslatorTest, EventsThatArriveAfterTheWindowIsGoneStillReportAKnownWindow) {
    HWND known = NewWindow("Known");
    HWND unknown = NewWindow("Never seen");
    EXPECT_EQ(Feed(EVENT_OBJECT_SHOW, known), hook::HookWindowCreated);
    for (HWND wnd : {known, unknown}) {
        app.Show(wnd, SW_MINIMIZE);
        app.Destroy(wnd);
    }
    EXPECT_EQ(Feed(EVENT_SYSTEM_MINIMIZESTART, known), hook::HookHideWindow);
    EXPECT_EQ(Feed(EVENT_OBJECT_DESTROY, known), hook::HookWindowGone);
    EXPECT_EQ(Feed(EVENT_SYSTEM_MINIMIZESTART, unknown), std::nullopt) << "top-level or child? nothing says";
    EXPECT_EQ(Feed(EVENT_OBJECT_SHOW, unknown), std::nullopt);
}

TEST_F(EventTranslatorTest, AWindowThatExistedAtTheStartIsNotNewButItsDestructionIsReported) {
    EventTranslator late;
    HWND wnd = NewWindow("There before");
    late.Seed();
    EXPECT_TRUE(late.Translate(EVENT_OBJECT_SHOW, wnd, OBJID_WINDOW, CHILDID_SELF).empty());
    EXPECT_TRUE(late.Translate(EVENT_OBJECT_NAMECHANGE, wnd, OBJID_WINDOW, CHILDID_SELF).empty());
    app.Destroy(wnd);
    auto gone = late.Translate(EVENT_OBJECT_DESTROY, wnd, OBJID_WINDOW, CHILDID_SELF);
    ASSERT_EQ(gone.size(), 1u);
    EXPECT_EQ(gone[0].code, hook::HookWindowGone);
}

TEST_F(EventTranslatorTest, AWindowNeverSeenAliveIsNotReportedGone) {
    HWND wnd = NewWindow("Short-lived", "hidden");
    app.Destroy(wnd);
    EXPECT_EQ(Feed(EVENT_OBJECT_CREATE, wnd), std::nullopt);
    EXPECT_EQ(Feed(EVENT_OBJECT_DESTROY, wnd), std::nullopt);
}

TEST_F(EventTranslatorTest, ChildWindowsAndOtherObjectsAreIgnored) {
    HWND top = NewWindow("Parent");
    helper::WindowSpec request;
    request.title = "Child";
    request.parent = top;
    request.style = WS_VISIBLE | WS_CAPTION | WS_MINIMIZEBOX;
    HWND child = app.NewWindow(request);
    const DWORD events[] = {EVENT_OBJECT_CREATE,     EVENT_OBJECT_SHOW,          EVENT_OBJECT_NAMECHANGE,
                            EVENT_OBJECT_STATECHANGE, EVENT_SYSTEM_MINIMIZESTART, EVENT_OBJECT_DESTROY};
    for (DWORD event : events) {
        EXPECT_EQ(Feed(event, child), std::nullopt) << "child window, event " << event;
        // The title bar, a scroll bar or an item of the window: not the window itself.
        EXPECT_EQ(Feed(event, top, OBJID_TITLEBAR), std::nullopt) << "title bar, event " << event;
        EXPECT_EQ(Feed(event, top, OBJID_WINDOW, 1), std::nullopt) << "item 1, event " << event;
        EXPECT_EQ(Feed(event, nullptr), std::nullopt) << "no window, event " << event;
    }
    EXPECT_EQ(Feed(EVENT_OBJECT_FOCUS, top), std::nullopt) << "an event the translation does not use";
    EXPECT_EQ(Feed(EVENT_SYSTEM_FOREGROUND, nullptr), std::nullopt);
}

}  // namespace
