// The own icon against the real shell of this session, with a shell function
// that refuses adds on request, as the shell does while it is not up yet or busy.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>

#include "ui/NotifyIcon.h"

namespace {

class NotifyIconTest : public ::testing::Test {
protected:
    void SetUp() override { icon_ = Make(); }

    // Passes every call to the real shell, except the adds it is told to refuse.
    std::unique_ptr<ui::NotifyIcon> Make() {
        auto shell = [this](DWORD message, NOTIFYICONDATAW* data) -> BOOL {
            if (message == NIM_ADD && refuseAdds_ > 0) {
                --refuseAdds_;
                // A time-out after which the shell shows the icon all the same.
                if (addsAnyway_) Shell_NotifyIconW(message, data);
                return FALSE;
            }
            return Shell_NotifyIconW(message, data);
        };
        return std::make_unique<ui::NotifyIcon>(GetModuleHandleW(nullptr),
                                                LoadIconW(nullptr, IDI_APPLICATION), L"Pelmora",
                                                ui::NotifyIcon::Events{}, shell);
    }

    // Whether the shell holds the icon: changing nothing in it succeeds only then.
    bool ShellHoldsIcon() const {
        NOTIFYICONDATAW nid{};
        nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
        nid.hWnd = icon_->Window();
        nid.uID = ui::NotifyIcon::kIconId;
        return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
    }

    void TaskbarCreated() { SendMessageW(icon_->Window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0); }

    int refuseAdds_ = 0;
    bool addsAnyway_ = false;
    std::unique_ptr<ui::NotifyIcon> icon_;
};

TEST_F(NotifyIconTest, RefusedFirstAddIsMadeWhenTheTaskbarComes) {
    refuseAdds_ = 1;
    icon_->Add();
    ASSERT_FALSE(ShellHoldsIcon());
    EXPECT_FALSE(icon_->IsAdded());
    EXPECT_TRUE(icon_->IsWanted());
    TaskbarCreated();
    EXPECT_TRUE(ShellHoldsIcon());
    EXPECT_TRUE(icon_->IsAdded());
}

TEST_F(NotifyIconTest, RefusedFirstAddIsMadeWhenAskedAgain) {
    refuseAdds_ = 1;
    icon_->Add();
    ASSERT_FALSE(ShellHoldsIcon());
    icon_->Add();
    EXPECT_TRUE(ShellHoldsIcon());
}

TEST_F(NotifyIconTest, RefusedAgainWhenTheTaskbarComesStaysWanted) {
    refuseAdds_ = 2;
    icon_->Add();
    TaskbarCreated();
    ASSERT_FALSE(ShellHoldsIcon());
    TaskbarCreated();
    EXPECT_TRUE(ShellHoldsIcon());
}

TEST_F(NotifyIconTest, RemovedIconStaysAwayWhenTheTaskbarComes) {
    refuseAdds_ = 1;
    icon_->Add();
    icon_->Remove();  // the "hideicon" switch after a refused add
    TaskbarCreated();
    EXPECT_FALSE(ShellHoldsIcon());
    EXPECT_FALSE(icon_->IsWanted());

    icon_->Add();
    ASSERT_TRUE(ShellHoldsIcon());
    icon_->Remove();
    TaskbarCreated();
    EXPECT_FALSE(ShellHoldsIcon());
}

TEST_F(NotifyIconTest, AddReportedAsFailedThatTheShellTookCountsAsAdded) {
    refuseAdds_ = 1;
    addsAnyway_ = true;
    icon_->Add();
    ASSERT_TRUE(ShellHoldsIcon());
    EXPECT_TRUE(icon_->IsAdded());
    icon_->Remove();
    EXPECT_FALSE(ShellHoldsIcon()) << "the icon the shell took is taken out again";
}

TEST_F(NotifyIconTest, ForgottenIconComesBackWithTheTaskbar) {
    icon_->Add();
    ASSERT_TRUE(ShellHoldsIcon());
    NOTIFYICONDATAW nid{};
    nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    nid.hWnd = icon_->Window();
    nid.uID = ui::NotifyIcon::kIconId;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &nid));  // Explorer restarted
    TaskbarCreated();
    EXPECT_TRUE(ShellHoldsIcon());
}

}  // namespace
