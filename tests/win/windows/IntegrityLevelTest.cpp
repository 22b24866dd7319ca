// Integrity levels: the decision from plain values, and levels read from this
// process, a helper process and tokens of a chosen level.
#include "windows/IntegrityLevel.h"

#include <gtest/gtest.h>

#include <memory>

#include "HelperClient.h"

namespace {

constexpr DWORD kLow = SECURITY_MANDATORY_LOW_RID;
constexpr DWORD kMedium = SECURITY_MANDATORY_MEDIUM_RID;
constexpr DWORD kHigh = SECURITY_MANDATORY_HIGH_RID;
constexpr DWORD kSystem = SECURITY_MANDATORY_SYSTEM_RID;

TEST(CannotControl, OnlyALevelAboveOursOrARefusedQuery) {
    struct Case {
        DWORD ours;
        IntegrityReading theirs;
        bool cannot;
    } cases[] = {
        {kMedium, {LevelRead::Read, kLow}, false},      {kMedium, {LevelRead::Read, kMedium}, false},
        {kMedium, {LevelRead::Read, kHigh}, true},      {kMedium, {LevelRead::Read, kSystem}, true},
        {kHigh, {LevelRead::Read, kHigh}, false},       {kHigh, {LevelRead::Read, kSystem}, true},
        {kLow, {LevelRead::Read, kMedium}, true},       {kMedium, {LevelRead::AccessDenied, 0}, true},
        {kHigh, {LevelRead::AccessDenied, 0}, true},    {kMedium, {LevelRead::Failed, 0}, false},
        {kMedium, {LevelRead::Failed, kSystem}, false},  // the level of a failed read means nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CannotControl(c.ours, c.theirs), c.cannot)
            << c.ours << " " << static_cast<int>(c.theirs.result) << " " << c.theirs.level;
        if (c.theirs.result == LevelRead::Read) {
            EXPECT_EQ(CannotControl(c.ours, c.theirs.level), c.cannot);
        }
    }
}

// A window above our level is left alone; the user hears of it only for the
// first window of that program.
TEST(DecideControl, ActsBelowOrAtOurLevelAndTellsOncePerProgramAbove) {
    struct Case {
        DWORD ours;
        IntegrityReading theirs;
        bool toldBefore;
        ControlVerdict verdict;
    } cases[] = {
        {kMedium, {LevelRead::Read, kMedium}, false, ControlVerdict::Act},
        {kMedium, {LevelRead::Read, kMedium}, true, ControlVerdict::Act},
        {kHigh, {LevelRead::Read, kMedium}, false, ControlVerdict::Act},
        {kMedium, {LevelRead::Failed, 0}, false, ControlVerdict::Act},  // gone: nothing to tell
        {kMedium, {LevelRead::Read, kHigh}, false, ControlVerdict::LeaveAloneAndTell},
        {kMedium, {LevelRead::Read, kHigh}, true, ControlVerdict::LeaveAlone},
        {kMedium, {LevelRead::AccessDenied, 0}, false, ControlVerdict::LeaveAloneAndTell},
        {kHigh, {LevelRead::Read, kSystem}, true, ControlVerdict::LeaveAlone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecideControl(c.ours, c.theirs, c.toldBefore), c.verdict)
            << c.ours << " " << static_cast<int>(c.theirs.result) << " " << c.theirs.level << " " << c.toldBefore;
    }
}

class IntegrityLevelTest : public ::testing::Test {
protected:
    helper::HelperClient client;
};

// The helper runs as the same user at the same level, as any program the
// user starts does.
TEST_F(IntegrityLevelTest, WindowOfAProgramStartedByUsIsAtOurLevel) {
    HWND wnd = client.NewWindow({.title = "same level"});
    IntegrityReading reading = WindowIntegrityLevel(wnd);
    ASSERT_EQ(reading.result, LevelRead::Read);
    EXPECT_EQ(reading.level, OwnIntegrityLevel());
    EXPECT_EQ(ProcessIntegrityLevel(client.ProcessId()).level, reading.level);
    EXPECT_FALSE(CannotControlWindow(wnd));
}

TEST_F(IntegrityLevelTest, GoneWindowOrProcessIsAFailureNotAHigherLevel) {
    HWND wnd = client.NewWindow({.title = "gone"});
    client.Destroy(wnd);
    EXPECT_EQ(WindowIntegrityLevel(wnd).result, LevelRead::Failed);
    EXPECT_EQ(WindowIntegrityLevel(nullptr).result, LevelRead::Failed);
    EXPECT_EQ(ProcessIntegrityLevel(0xFFFFFFF0u).result, LevelRead::Failed);
    EXPECT_FALSE(CannotControlWindow(wnd));
}

// True once the process can no longer be opened at all; Wine lets an ended
// process be opened for a moment after its last handle closed.
bool GoneForGood(DWORD processId) {
    for (int i = 0; i < 1000; ++i, Sleep(10)) {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
        if (!process) return true;
        CloseHandle(process);
    }
    return false;
}

// Within a scope a process's level is read once: a process gone since still
// reads as it did. Outside the scope, and in the next one, it reads afresh.
TEST(IntegrityScope, ReadsEachProcessOnceWhileItLasts) {
    auto helper = std::make_unique<helper::HelperClient>();
    const DWORD processId = helper->ProcessId();
    {
        TIntegrityScope scope;
        const IntegrityReading first = ProcessIntegrityLevel(processId);
        ASSERT_EQ(first.result, LevelRead::Read);
        helper.reset();
        ASSERT_TRUE(GoneForGood(processId));
        const IntegrityReading again = ProcessIntegrityLevel(processId);
        EXPECT_EQ(again.result, LevelRead::Read);
        EXPECT_EQ(again.level, first.level);
    }
    EXPECT_EQ(ProcessIntegrityLevel(processId).result, LevelRead::Failed);
    TIntegrityScope next;
    EXPECT_EQ(ProcessIntegrityLevel(processId).result, LevelRead::Failed);
}

// Wine keeps no levels: every token reads as high, whatever is set on it.
bool RunsUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A copy of our token lowered to a chosen level reads as that level.
TEST(IntegrityLevelOfToken, ReadsTheLevelOfTheToken) {
    if (RunsUnderWine()) GTEST_SKIP() << "Wine gives every token the same level";
    HANDLE own = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY, &own));
    EXPECT_EQ(IntegrityLevelOfToken(own), OwnIntegrityLevel());
    HANDLE copy = nullptr;
    ASSERT_TRUE(DuplicateTokenEx(own, TOKEN_QUERY | TOKEN_ADJUST_DEFAULT, nullptr, SecurityImpersonation,
                                 TokenPrimary, &copy));
    CloseHandle(own);
    SID_IDENTIFIER_AUTHORITY mandatory = SECURITY_MANDATORY_LABEL_AUTHORITY;
    PSID lowSid = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&mandatory, 1, kLow, 0, 0, 0, 0, 0, 0, 0, &lowSid));
    TOKEN_MANDATORY_LABEL label{{lowSid, SE_GROUP_INTEGRITY}};
    bool lowered =
        SetTokenInformation(copy, TokenIntegrityLevel, &label, sizeof label + GetLengthSid(lowSid)) != FALSE;
    FreeSid(lowSid);
    std::optional<DWORD> level = IntegrityLevelOfToken(copy);
    CloseHandle(copy);
    if (!lowered) GTEST_SKIP() << "this system cannot lower a token's level";
    EXPECT_EQ(level, kLow);
}

}  // namespace
