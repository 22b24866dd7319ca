#include "rules/FileFolder.h"

namespace {

bool IsDelimiter(wchar_t ch) {
    return ch == L'\\' || ch == L':';
}

}  // namespace

std::wstring FolderOfFile(std::wstring_view fileName) {
    size_t end = 0;  // length of the folder part
    bool previousIsDelimiter = false;
    for (size_t at = 0; at < fileName.size(); ++at) {
        const bool delimiter = IsDelimiter(fileName[at]);
        if (delimiter) {
            // A "\" behind a name ends the folder; behind ":" or "\" it is a root.
            end = fileName[at] == L'\\' && at > 0 && !previousIsDelimiter ? at : at + 1;
        }
        previousIsDelimiter = delimiter;
    }
    return std::wstring(fileName.substr(0, end));
}
