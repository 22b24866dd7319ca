// Linked into every Windows test executable: a run started for one ANSI code
// page (PELMORA_EXPECT_ACP, set by CTest) fails at once, and says so, when
// Wine gave it another one (the locale is missing, say), instead of passing
// without testing anything of that code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class CodePageCheck : public ::testing::Environment {
public:
    void SetUp() override {
        const char* expected = std::getenv("PELMORA_EXPECT_ACP");
        if (!expected || !*expected) return;
        ASSERT_EQ(std::to_string(GetACP()), expected)
            << "this run is for code page " << expected << " but the system's ANSI code page is " << GetACP()
            << " (is the locale of LANG installed?)";
    }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new CodePageCheck);

}  // namespace
