// The executable a rule names, as the platform spells it. The stored rule keeps
// the path in the system's code page, which is what older versions read, and
// beside it the exact path in UTF-8 when that code page lacks one of its
// characters (a folder named in Korean under a Japanese system, say).
#pragma once
#include <string>

#include "rules/RegistWindowsText.h"

// The rule's path in UTF-16: the exact path when the rule has one that agrees
// with its code-page text (a hand-edited first field wins), else that text.
std::wstring RulePath(const StoredRule& rule);

// Forgets an exact path that does not agree with the code-page text, so it
// is not written back.
void DropStaleExactPath(StoredRule& rule);

// Puts the path into the rule: the code page's text, with "?" for each
// character the code page lacks (never a look-alike: a best-fit conversion can
// turn a letter into "\"), and the exact path beside it only when needed.
void SetRulePath(StoredRule& rule, const std::wstring& path);
