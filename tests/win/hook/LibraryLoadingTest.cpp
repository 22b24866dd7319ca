// The DLL search of the process limited to the system folder: a DLL of a
// searched name in the program's folder or the current folder is no longer
// loaded, one loaded by its full path still is. The limit holds for the
// whole process, so these tests have an executable of their own.
#include "hook/LibraryLoading.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The build's path of the planted DLL as Windows names it (Wine sees the
// build folder as drive Z:).
std::wstring PlantedDll() {
    std::wstring path(PELMORA_PLANTED_DLL, PELMORA_PLANTED_DLL + sizeof PELMORA_PLANTED_DLL - 1);
    if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FolderOf(path);
}

std::wstring TempFolder() {
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, path);
    return path;
}

// Copies the planted DLL under a name no system library has; removed at the end.
class PlantedCopy {
public:
    PlantedCopy(const std::wstring& folder, const std::wstring& name) : path_(folder + name) {
        CopyFileW(PlantedDll().c_str(), path_.c_str(), FALSE);
    }
    ~PlantedCopy() { DeleteFileW(path_.c_str()); }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

// Loads by name, as a program does for a system library, and frees it again.
bool LoadsByName(const std::wstring& name) {
    HMODULE module = LoadLibraryW(name.c_str());
    if (module) FreeLibrary(module);
    return module != nullptr;
}

TEST(LibraryLoading, ByNameOnlyFromTheSystemFolderOnceLimited) {
    const std::wstring cwdName = L"pelmora_planted_cwd.dll", programName = L"pelmora_planted_exe.dll";
    PlantedCopy inCurrentFolder(TempFolder(), cwdName);
    PlantedCopy inProgramFolder(ProgramFolder(), programName);
    ASSERT_TRUE(SetCurrentDirectoryW(TempFolder().c_str()));
    // The standard search finds both: the copies are where it looks.
    ASSERT_TRUE(LoadsByName(cwdName));
    ASSERT_TRUE(LoadsByName(programName));

    if (!LimitLibrarySearchToSystemFolder()) GTEST_SKIP() << "this system cannot limit the search";
    EXPECT_FALSE(LoadsByName(cwdName));
    EXPECT_FALSE(LoadsByName(programName));
    EXPECT_TRUE(LoadsByName(L"version.dll"));  // a system library that is not loaded yet

    // By its full path the library still loads, and is the planted one.
    HMODULE module = LoadLibraryFromItsPath(inProgramFolder.Path());
    ASSERT_TRUE(module);
    using MarkFunc = int (*)();
    auto mark =
        reinterpret_cast<MarkFunc>(reinterpret_cast<void*>(GetProcAddress(module, "PlantedLibraryMark")));
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark(), 4242);
    FreeLibrary(module);
}

TEST(LibraryLoading, MissingFileIsNotLoaded) {
    EXPECT_EQ(LoadLibraryFromItsPath(TempFolder() + L"pelmora_no_such_library.dll"), nullptr);
}

}  // namespace
