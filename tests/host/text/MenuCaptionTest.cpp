// Cutting window titles for menus: where a cut may fall and what it adds.
#include "text/MenuCaption.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The UTF-16 units of a literal as a wide string, on every platform.
std::wstring Units(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

TEST(CutMenuCaption, CutsOnlyBetweenWholeCharacters) {
    struct Case {
        const char* name;
        std::u16string_view title;
        std::size_t maxChars;
        std::u16string_view caption;
    } cases[] = {
        {"empty", u"", 5, u""},
        {"shorter", u"abc", 5, u"abc"},
        {"exactly the limit", u"abcde", 5, u"abcde"},
        {"one too long", u"abcdef", 5, u"abcd\u2026"},
        {"no room at all", u"abc", 0, u""},
        {"room for the ellipsis only", u"abc", 1, u"\u2026"},
        {"cut inside a surrogate pair", u"abc\U0001F600e", 5, u"abc\u2026"},
        {"cut after a surrogate pair", u"ab\U0001F600ef", 5, u"ab\U0001F600\u2026"},
        {"cut before an accent", u"cafe\u0301s", 5, u"caf\u2026"},
        {"cut after an accent", u"cafe\u0301st", 6, u"cafe\u0301\u2026"},
        {"cut before a voicing mark", u"\u3042\u3044\u304B\u3099\u3046", 4, u"\u3042\u3044\u2026"},
        {"cut after a voicing mark", u"\u3042\u3044\u304B\u3099\u3046\u3048", 5,
         u"\u3042\u3044\u304B\u3099\u2026"},
        {"cut before a variation selector", u"ab\u2764\uFE0Fcd", 4, u"ab\u2026"},
        {"cut inside a skin tone", u"ab\U0001F44D\U0001F3FDc", 6, u"ab\u2026"},
        {"cut at a joiner", u"a\U0001F468\u200D\U0001F469b", 5, u"a\u2026"},
        {"cut after a joiner", u"a\U0001F468\u200D\U0001F469b", 6, u"a\u2026"},
        {"only marks before the cut", u"\u0301\u0301\u0301x", 3, u"\u2026"},
        {"Japanese title", u"\u30E1\u30E2\u5E33 - \u7121\u984C", 6, u"\u30E1\u30E2\u5E33 -\u2026"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CutMenuCaption(Units(c.title), c.maxChars), Units(c.caption)) << c.name;
}

// Whatever the title and the limit: never longer than the limit, and the
// beginning of the title, with the ellipsis only when something was cut.
TEST(CutMenuCaption, NeverLongerThanTheLimitAndAlwaysTheTitlesBeginning) {
    const std::wstring title =
        Units(u"x\U0001F600e\u0301\u304B\u3099\U0001F468\u200D\U0001F469\u2764\uFE0Fyz");
    for (std::size_t maxChars = 0; maxChars <= title.size() + 1; ++maxChars) {
        const std::wstring caption = CutMenuCaption(title, maxChars);
        EXPECT_LE(caption.size(), maxChars);
        if (maxChars >= title.size()) {
            EXPECT_EQ(caption, title);
        } else if (maxChars > 0) {
            ASSERT_FALSE(caption.empty());
            EXPECT_EQ(caption.back(), L'\u2026') << maxChars;
            EXPECT_EQ(title.compare(0, caption.size() - 1, caption, 0, caption.size() - 1), 0) << maxChars;
        }
    }
}

TEST(CutMenuCaption, DefaultLimitIsTheMenus) {
    const std::wstring longTitle(200, L'x');
    const std::wstring caption = CutMenuCaption(longTitle);
    EXPECT_EQ(caption.size(), kMenuCaptionMaxChars);
    EXPECT_EQ(caption, std::wstring(kMenuCaptionMaxChars - 1, L'x') + L'\u2026');
    EXPECT_EQ(CutMenuCaption(std::wstring(kMenuCaptionMaxChars, L'y')),
              std::wstring(kMenuCaptionMaxChars, L'y'));
}

}  // namespace
