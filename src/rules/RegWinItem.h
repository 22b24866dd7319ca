// One rule of automatic window control as the main window keeps it: the stored
// values, the path its windows are matched by, and the position of its file's
// icon in the rule list's image list.
#pragma once
#include <string>

#include "rules/RegistWindowsText.h"

struct TRegWinItem : StoredRule {
    std::wstring Path;  // RulePath of the stored values
    int ImageIndex = -1;
};
