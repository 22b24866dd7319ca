#include "ui/ExePath.h"

#include <windows.h>

namespace {

// Positions of the last separator and of the last dot after it, or npos.
void LastSeparatorAndDot(const std::string& path, size_t& sep, size_t& dot) {
    sep = dot = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        char c = path[i];
        if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (c == '\\' || c == '/' || c == ':') {
            sep = i;
            dot = std::string::npos;
        } else if (c == '.') {
            dot = i;
        }
    }
}

}  // namespace

std::wstring ExeFileName() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) {
            buf.resize(n);
            return buf;
        }
        buf.resize(buf.size() * 2);
    }
}

std::string ExtractFilePath(const std::string& path) {
    size_t sep, dot;
    LastSeparatorAndDot(path, sep, dot);
    return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
    size_t sep, dot;
    LastSeparatorAndDot(path, sep, dot);
    return (dot == std::string::npos ? path : path.substr(0, dot)) + ext;
}

namespace {

size_t LastSeparator(const std::wstring& path) {
    return path.find_last_of(L"\\/:");
}

}  // namespace

std::wstring ExtractFilePath(const std::wstring& path) {
    const size_t sep = LastSeparator(path);
    return sep == std::wstring::npos ? std::wstring() : path.substr(0, sep + 1);
}

std::wstring ChangeFileExt(const std::wstring& path, const std::wstring& ext) {
    const size_t sep = LastSeparator(path);
    const size_t dot = path.find_last_of(L'.');
    const bool hasExt = dot != std::wstring::npos && (sep == std::wstring::npos || dot > sep);
    return (hasExt ? path.substr(0, dot) : path) + ext;
}
