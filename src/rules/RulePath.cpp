#include "rules/RulePath.h"

#include <windows.h>

#include <optional>

#include "ui/Text.h"

namespace {

// The path in the ANSI code page, "?" for what it cannot write. A system
// whose ANSI code page is UTF-8 takes neither flag nor default character.
std::string AnsiText(const std::wstring& path) {
    if (path.empty()) return {};
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* unwritable = utf8 ? nullptr : "?";
    const int length = static_cast<int>(path.size());
    int n = WideCharToMultiByte(CP_ACP, flags, path.data(), length, nullptr, 0, unwritable, nullptr);
    std::string text(n, '\0');
    WideCharToMultiByte(CP_ACP, flags, path.data(), length, text.data(), n, unwritable, nullptr);
    return text;
}

// Strict UTF-8: nothing for bytes that are not.
bool FromUtf8(const std::string& utf8, std::wstring& out) {
    const int length = static_cast<int>(utf8.size());
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (n <= 0) return false;
    out.assign(n, L'\0');
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, out.data(), n) == n;
}

std::optional<std::wstring> ExactPath(const StoredRule& rule) {
    std::wstring exact;
    if (rule.ExactFileName.empty() || !FromUtf8(rule.ExactFileName, exact) || AnsiText(exact) != rule.FileName)
        return std::nullopt;
    return exact;
}

}  // namespace

std::wstring RulePath(const StoredRule& rule) {
    return ExactPath(rule).value_or(ui::FromAnsi(rule.FileName));
}

void DropStaleExactPath(StoredRule& rule) {
    if (!ExactPath(rule)) rule.ExactFileName.clear();
}

void SetRulePath(StoredRule& rule, const std::wstring& path) {
    rule.FileName = AnsiText(path);
    rule.ExactFileName = ui::FromAnsi(rule.FileName) == path ? std::string() : ui::Narrow(path, CP_UTF8);
}
