// Window snapshots: what each property reads, its limits, and that it is read once.
#include "windows/WinInfo.h"

#include <gtest/gtest.h>

#include <memory>

#include "HelperClient.h"

namespace {

class WinInfoTest : public ::testing::Test {
protected:
    helper::HelperClient client;
};

TEST_F(WinInfoTest, PropertiesOfAnotherProcessesWindow) {
    HWND owner = client.NewWindow({.title = "owner"});
    HWND wnd = client.NewWindow({.title = "snapshot", .className = "SnapshotClass", .owner = owner});
    TWinInfo info(wnd, 0);
    EXPECT_EQ(info.Wnd(), wnd);
    EXPECT_EQ(info.Level(), 0);
    EXPECT_EQ(info.GetTitle(), "snapshot");
    EXPECT_EQ(info.GetWindowClassName(), "SnapshotClass");
    EXPECT_EQ(info.GetOwnerWnd(), owner);
    EXPECT_TRUE(info.GetVisible());
    EXPECT_FALSE(info.GetFileName().empty());
    EXPECT_EQ(info.GetFileName(), info.ReadFileName());
}

TEST_F(WinInfoTest, LimitsOfTitleAndClassName) {
    struct Case {
        size_t titleLength, classLength, expectedTitle, expectedClass;
    } cases[] = {{0, 1, 0, 1}, {254, 79, 254, 79}, {255, 80, 254, 79}, {300, 100, 254, 79}};
    for (const Case& c : cases) {
        std::string title(c.titleLength, 't');
        std::string className = "L" + std::to_string(c.classLength) + std::string(c.classLength, 'c');
        className.resize(c.classLength);
        HWND wnd = client.NewWindow({.title = title, .className = className});
        TWinInfo info(wnd, 0);
        EXPECT_EQ(info.GetTitle(), title.substr(0, c.expectedTitle)) << c.titleLength;
        EXPECT_EQ(info.GetWindowClassName(), className.substr(0, c.expectedClass)) << c.classLength;
    }
}

// A snapshot of a window seen before takes its class and process from that
// window's earlier snapshot, in whatever order the windows come (here one is
// gone since, so nothing could be read again), and reads the rest anew.
TEST_F(WinInfoTest, LastingFactsComeFromTheSameWindowsEarlierSnapshot) {
    HWND seen = client.NewWindow({.title = "seen", .className = "SeenClass"});
    HWND other = client.NewWindow({.title = "other", .className = "OtherClass"});
    TWinInfoList earlier;
    for (HWND wnd : {seen, other}) {
        earlier.push_back(std::make_unique<TWinInfo>(wnd, 0));
        earlier.back()->GetWindowClassName();
        earlier.back()->GetProcessId();
        earlier.back()->GetTitle();
    }
    client.Destroy(seen);
    ASSERT_FALSE(IsWindow(seen));
    TWinInfoList now;
    now.push_back(std::make_unique<TWinInfo>(other, 0));
    now.push_back(std::make_unique<TWinInfo>(seen, 0));
    TakeLastingFacts(earlier, now);
    EXPECT_EQ(now[0]->GetWindowClassName(), "OtherClass");
    EXPECT_EQ(now[0]->GetProcessId(), client.ProcessId());
    EXPECT_EQ(now[1]->GetWindowClassName(), "SeenClass");
    EXPECT_EQ(now[1]->GetProcessId(), client.ProcessId());
    EXPECT_EQ(now[1]->GetTitle(), "");
}

TEST_F(WinInfoTest, CachedValuesAreNotRefreshed) {
    HWND wnd = client.NewWindow({.title = "first"});
    TWinInfo info(wnd, 0);
    EXPECT_EQ(info.GetTitle(), "first");
    EXPECT_TRUE(info.GetVisible());
    client.SetText(wnd, "second");
    client.Show(wnd, SW_HIDE);
    EXPECT_EQ(info.GetTitle(), "first");
    EXPECT_TRUE(info.GetVisible());
    EXPECT_EQ(info.ReadTitle(), "second");
    EXPECT_FALSE(info.ReadVisible());
}

TEST_F(WinInfoTest, NothingIsReadBeforeItIsAskedFor) {
    HWND wnd = client.NewWindow({.title = "lazy"});
    TWinInfo info(wnd, 3);
    client.SetText(wnd, "changed before the first question");
    EXPECT_EQ(info.GetTitle(), "changed before the first question");
    EXPECT_EQ(info.Level(), 3);
}

TEST_F(WinInfoTest, ReadOwnerAsksAgain) {
    HWND a = client.NewWindow({.title = "a"});
    HWND wnd = client.NewWindow({.title = "owned", .owner = a});
    TWinInfo info(wnd, 0);
    EXPECT_EQ(info.GetOwnerWnd(), a);
    client.Destroy(a);  // destroying the owner destroys the owned window too
    EXPECT_EQ(info.GetOwnerWnd(), a);
    EXPECT_EQ(info.ReadOwnerWnd(), nullptr);
}

TEST_F(WinInfoTest, AWindowThatIsGoneGivesEmptyValues) {
    HWND wnd = client.NewWindow({.title = "gone"});
    client.Destroy(wnd);
    TWinInfo info(wnd, 0);
    EXPECT_EQ(info.GetTitle(), "");
    EXPECT_EQ(info.GetWindowClassName(), "");
    EXPECT_EQ(info.GetOwnerWnd(), nullptr);
    EXPECT_FALSE(info.GetVisible());
    EXPECT_EQ(info.GetFileName(), L"");
}

TEST_F(WinInfoTest, HungWindowsTitleDoesNotStopTheCaller) {
    HWND wnd = client.NewWindow({.title = "not answering", .ownThread = true});
    client.Hang(wnd);
    TWinInfo info(wnd, 0);
    EXPECT_EQ(info.GetTitle(), "not answering");
    EXPECT_EQ(info.GetWindowClassName(), "PelmoraHelperWindow");
    client.Unhang(wnd);
}

}  // namespace
