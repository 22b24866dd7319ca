// One rule of automatic window control as the main window keeps it: the stored
// values and the position of its file's icon in the rule list's image list.
#pragma once
#include "rules/RegistWindowsText.h"

struct TRegWinItem : StoredRule {
    int ImageIndex = -1;
};
