// Enumeration in replace and merge mode, and the lookup by handle.
#include "windows/WindowEnumeration.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "HelperClient.h"

namespace {

class EnumerationTest : public ::testing::Test {
protected:
    helper::HelperClient client;
};

const TWinInfo* Find(const TWinInfoList& list, HWND wnd) {
    int i = IndexOfWnd(wnd, list);
    return i < 0 ? nullptr : list[i].get();
}

TEST_F(EnumerationTest, TopLevelOnlyAtDepthZero) {
    HWND top = client.NewWindow({.title = "top"});
    HWND hidden = client.NewWindow({.title = "hidden", .show = "hidden"});
    HWND child = client.NewWindow({.title = "child", .parent = top});
    TWinInfoList list;
    EnumerateWindows(list, 0, true);
    EXPECT_NE(Find(list, top), nullptr);
    EXPECT_NE(Find(list, hidden), nullptr);  // hidden windows are listed too
    EXPECT_EQ(Find(list, child), nullptr);
    EXPECT_TRUE(std::all_of(list.begin(), list.end(), [](const auto& i) { return i->Level() == 0; }));
    EXPECT_FALSE(IsCollectingWindows());
}

TEST_F(EnumerationTest, EachChildOnceAtItsOwnLevel) {
    HWND top = client.NewWindow({.title = "top"});
    HWND child = client.NewWindow({.title = "child", .parent = top});
    HWND grandChild = client.NewWindow({.title = "grandchild", .parent = child});
    for (int depth : {1, 2}) {
        TWinInfoList list;
        EnumerateWindows(list, depth, true);
        ASSERT_NE(Find(list, child), nullptr);
        EXPECT_EQ(Find(list, child)->Level(), 1);
        EXPECT_EQ(std::count_if(list.begin(), list.end(), [&](const auto& i) { return i->Wnd() == child; }),
                  1);
        int grandChildren =
            std::count_if(list.begin(), list.end(), [&](const auto& i) { return i->Wnd() == grandChild; });
        EXPECT_EQ(grandChildren, depth == 2 ? 1 : 0) << depth;
        if (depth == 2) {
            EXPECT_EQ(Find(list, grandChild)->Level(), 2);
        }
    }
}

TEST_F(EnumerationTest, ReplaceModeAppendsAfterWhatIsThere) {
    TWinInfoList list;
    list.push_back(std::make_unique<TWinInfo>(reinterpret_cast<HWND>(0x10), 0));
    TWinInfo* first = list[0].get();
    EnumerateWindows(list, 0, true);
    ASSERT_GT(list.size(), 1u);
    EXPECT_EQ(list[0].get(), first);

    size_t once = list.size() - 1;
    EnumerateWindows(list, 0, true);
    EXPECT_GE(list.size(), 1 + once + 1);  // a second full set follows the first
}

TEST_F(EnumerationTest, MergeKeepsSurvivorsDropsTheGoneAndAppendsTheNew) {
    HWND stays = client.NewWindow({.title = "stays"});
    HWND goes = client.NewWindow({.title = "goes"});
    TWinInfoList list;
    list.push_back(std::make_unique<TWinInfo>(reinterpret_cast<HWND>(0x10), 0));  // never a window
    EnumerateWindows(list, 0, false);
    EXPECT_EQ(Find(list, reinterpret_cast<HWND>(0x10)), nullptr);
    ASSERT_NE(Find(list, stays), nullptr);
    TWinInfo* staysInfo = list[IndexOfWnd(stays, list)].get();
    staysInfo->GetTitle();  // cached before the merge

    std::vector<TWinInfo*> before;
    for (auto& i : list) before.push_back(i.get());
    client.SetText(stays, "renamed");
    client.Destroy(goes);
    HWND fresh = client.NewWindow({.title = "fresh"});
    EnumerateWindows(list, 0, false);

    EXPECT_EQ(Find(list, goes), nullptr);
    EXPECT_EQ(list[IndexOfWnd(stays, list)].get(), staysInfo);
    EXPECT_EQ(staysInfo->GetTitle(), "stays");  // the snapshot survived with its cache
    ASSERT_NE(Find(list, fresh), nullptr);
    // Survivors keep their order, and the new window comes after all of them.
    std::vector<TWinInfo*> survivors;
    for (TWinInfo* p : before)
        if (std::any_of(list.begin(), list.end(), [p](const auto& i) { return i.get() == p; }))
            survivors.push_back(p);
    for (size_t i = 0; i < survivors.size(); ++i) EXPECT_EQ(list[i].get(), survivors[i]);
    EXPECT_GE(IndexOfWnd(fresh, list), static_cast<int>(survivors.size()));
}

TEST(IndexOfWnd, EmptyListAndDuplicates) {
    TWinInfoList list;
    EXPECT_EQ(IndexOfWnd(reinterpret_cast<HWND>(0x20), list), -1);
    for (int i : {0x10, 0x20, 0x20}) list.push_back(std::make_unique<TWinInfo>(reinterpret_cast<HWND>(i), 0));
    EXPECT_EQ(IndexOfWnd(reinterpret_cast<HWND>(0x20), list), 1);
    EXPECT_EQ(IndexOfWnd(reinterpret_cast<HWND>(0x10), list), 0);
    EXPECT_EQ(IndexOfWnd(reinterpret_cast<HWND>(0x30), list), -1);
}

}  // namespace
