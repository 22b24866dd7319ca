// A DLL that stands for a stray copy of a system library left beside the
// program or in the current folder. Its one export tells it apart.
#include <windows.h>

extern "C" __declspec(dllexport) int PlantedLibraryMark() {
    return 4242;
}
