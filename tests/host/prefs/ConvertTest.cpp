// Truth values and integers as the settings file stores them.
#include <gtest/gtest.h>

#include "prefs/Preferences.h"

namespace {

TEST(BoolText, WritesMinusOneAndZero) {
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false), "0");
}

struct BoolCase {
    const char* text;
    bool value;
};

TEST(BoolText, ReadsNumbersAndWords) {
    const BoolCase cases[] = {
        {"-1", true},   {"0", false},   {"1", true},      {"2", true},      {"+3", true},
        {"00", false},  {"0.0", false}, {"-0", false},    {"1.5", true},    {"0.01", true},
        {".5", true},   {"7.", true},   {"0e5", false},   {"1E-3", true},   {"true", true},
        {"TRUE", true}, {"tRuE", true}, {"False", false}, {"FALSE", false}, {"false", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StrToBool(c.text), c.value);
    }
}

TEST(BoolText, RoundTrips) {
    for (bool value : {true, false}) EXPECT_EQ(StrToBool(BoolToStr(value)), value);
}

TEST(BoolText, RejectsOtherTextWithItsMessage) {
    const char* cases[] = {"",  "yes", "no", "on", "T",  "truee", " 1",    "1 ", "1,5",
                           ".", "-",   "+",  "1e", "e5", "0x1",   "1.2.3", "--1"};
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        try {
            StrToBool(text);
            ADD_FAILURE() << "accepted";
        } catch (const ConvertError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid boolean value");
        }
    }
}

struct IntCase {
    const char* text;
    int value;
};

TEST(IntText, ReadsDecimalIntegers) {
    const IntCase cases[] = {
        {"200", 200},
        {"-5", -5},
        {"+7", 7},
        {"0", 0},
        {"-0", 0},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StrToInt(c.text), c.value);
    }
}

TEST(IntText, RejectsOtherTextWithItsMessage) {
    const char* cases[] = {"",    "abc", " 1",   "1 ",  "1a",         "-",           "+",
                           "+-1", "1.0", "0x10", "$10", "2147483648", "-2147483649", "99999999999999999999"};
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted";
        } catch (const ConvertError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

TEST(IntText, RoundTrips) {
    for (int value : {0, 1, -1, 440, -2147483647 - 1, 2147483647})
        EXPECT_EQ(StrToInt(IntToStr(value)), value);
}

}  // namespace
