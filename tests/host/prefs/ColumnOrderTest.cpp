// The column-order text of the two list views.
#include <gtest/gtest.h>

#include <algorithm>

#include "prefs/Preferences.h"

namespace {

struct ReadCase {
    const char* name;
    ColumnLayout before;
    const char* text;
    ColumnLayout after;
};

TEST(ColumnOrderText, Reads) {
    const ReadCase cases[] = {
        {"current-window default", {{1, 0}, {10, 20}}, "0=200,1=200", {{0, 1}, {200, 200}}},
        {"rule list default",
         {{3, 2, 1, 0}, {1, 1, 1, 1}},
         "0=205,1=50,2=85,3=75",
         {{0, 1, 2, 3}, {205, 50, 85, 75}}},
        {"moved and narrowed", {{0, 1}, {200, 200}}, "1=150,0=200", {{1, 0}, {150, 200}}},
        {"entries without widths", {{0, 1, 2}, {5, 6, 7}}, "2,0,1", {{2, 0, 1}, {5, 6, 7}}},
        {"width part not an integer", {{0, 1}, {5, 6}}, "1=wide,0=", {{1, 0}, {5, 6}}},
        {"index part not an integer reads as 0", {{0, 1}, {5, 6}}, "1=7,x=8", {{1, 0}, {7, 8}}},
        {"index part not an integer, order already valid", {{1, 0}, {5, 6}}, "x=7,1=8", {{0, 1}, {7, 8}}},
        {"second = belongs to the width", {{0, 1}, {5, 6}}, "1=2=3,0=4", {{1, 0}, {5, 4}}},
        {"too many entries", {{0, 1}, {5, 6}}, "1=10,0=20,2=30,3=40", {{1, 0}, {10, 20}}},
        {"too few entries keep the rest", {{0, 1, 2}, {5, 6, 7}}, "0=50", {{0, 1, 2}, {50, 6, 7}}},
        {"too few entries that clash", {{0, 1, 2}, {5, 6, 7}}, "1=50", {{0, 1, 2}, {50, 6, 7}}},
        {"empty text", {{1, 0}, {5, 6}}, "", {{1, 0}, {5, 6}}},
        {"duplicate index", {{1, 0}, {5, 6}}, "0,0", {{1, 0}, {5, 6}}},
        {"index out of range, widths still apply", {{0, 1}, {5, 6}}, "5=10,0=20", {{0, 1}, {10, 20}}},
        {"negative index", {{1, 0}, {5, 6}}, "-1=10,0=20", {{1, 0}, {10, 20}}},
        {"negative width ignored", {{0, 1}, {5, 6}}, "1=-2,0=0", {{1, 0}, {5, 0}}},
        {"broken previous order is reset", {{0, 0}, {5, 6}}, "", {{0, 1}, {5, 6}}},
        {"no columns", {{}, {}}, "0=100", {{}, {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ColumnLayout layout = c.before;
        ApplyColumnOrderText(c.text, layout);
        EXPECT_EQ(layout.order, c.after.order);
        EXPECT_EQ(layout.widths, c.after.widths);
    }
}

TEST(ColumnOrderText, Writes) {
    const std::pair<ColumnLayout, const char*> cases[] = {
        {{{1, 0}, {150, 200}}, "1=150,0=200"},
        {{{0, 1, 2, 3}, {205, 50, 85, 75}}, "0=205,1=50,2=85,3=75"},
        {{{0}, {0}}, "0=0"},
        {{{}, {}}, ""},
    };
    for (const auto& [layout, text] : cases) EXPECT_EQ(ColumnOrderText(layout), text);
}

// A list that gained a fifth column writes a four-column text back as it was,
// and the fifth column's entry once it moved or changed its width.
TEST(ColumnOrderText, LeavesOutNewColumnsThatStandAsDesigned) {
    const std::vector<int> defaults{205, 50, 85, 75, 85};
    const struct {
        const char* stored;
        const char* written;
    } cases[] = {
        {"0=205,1=50,2=85,3=75", "0=205,1=50,2=85,3=75"},
        {"3=100,0=60,1=85,2=75", "3=100,0=60,1=85,2=75"},
        {"0=205,1=50,2=85,3=75,4=85", "0=205,1=50,2=85,3=75,4=85"},
        {"0=205,1=50,2=85,3=75,4=120", "0=205,1=50,2=85,3=75,4=120"},
        {"4=205,1=50,2=85,3=75,0=85", "4=205,1=50,2=85,3=75,0=85"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        ColumnLayout layout{{0, 1, 2, 3, 4}, defaults};
        ApplyColumnOrderText(c.stored, layout);
        const size_t kept = std::max<size_t>(4, ColumnOrderEntries(c.stored));
        EXPECT_EQ(ColumnOrderText(layout, kept, defaults), c.written);
    }
    // Sized by the user after a four-column text was read.
    ColumnLayout sized{{0, 1, 2, 3, 4}, {205, 50, 85, 75, 40}};
    EXPECT_EQ(ColumnOrderText(sized, 4, defaults), "0=205,1=50,2=85,3=75,4=40");
    EXPECT_EQ(ColumnOrderEntries(""), 0u);
    EXPECT_EQ(ColumnOrderEntries("0=1"), 1u);
}

TEST(ColumnOrderText, RoundTrips) {
    const ColumnLayout layouts[] = {{{2, 0, 3, 1}, {11, 0, 33, 4096}}, {{0, 1}, {200, 200}}};
    for (const auto& written : layouts) {
        ColumnLayout read{{}, std::vector<int>(written.widths.size(), 1)};
        for (size_t i = 0; i < written.order.size(); ++i) read.order.push_back(static_cast<int>(i));
        ApplyColumnOrderText(ColumnOrderText(written), read);
        EXPECT_EQ(read.order, written.order);
        EXPECT_EQ(read.widths, written.widths);
    }
}

}  // namespace
