#include <windows.h>

#include "rules/CodePage.h"

bool IsAnsiLeadByte(unsigned char byte) {
    return IsDBCSLeadByte(byte) != FALSE;
}
