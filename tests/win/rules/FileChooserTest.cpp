// The system's file-open dialog as the rule editor runs it: where it starts,
// its filter, and what it gives back.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/RuleEditorDialog.h"
#include "support/DialogSession.h"
#include "ui/Handles.h"
#include "ui/Text.h"

using ui::Utf8;
using win_test::Pump;
using win_test::ShowAndInspect;
using win_test::TextOf;

namespace {

// Control identifiers of the system's file-open dialog (dlgs.h).
constexpr int kFileTypes = 0x470;  // cmb1
constexpr int kFileName = 0x47C;   // cmb13
constexpr int kFileList = 0x461;   // lst2: the shell view

// A fresh folder with an executable and a text file, removed afterwards. Its
// name has letters the ANSI code page cannot write (Polish, Korean).
class TempFolder {
public:
    TempFolder() {
        wchar_t temp[MAX_PATH]{};
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"pelmora_chooser \u017A\u0144d\u017Ab\u0142o \uD55C\uAD6D " +
                std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path_.c_str(), nullptr);
        for (const wchar_t* name : {L"\\app.exe", L"\\notes.txt"}) {
            HANDLE file =
                CreateFileW((path_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            CloseHandle(file);
        }
    }
    ~TempFolder() {
        for (const wchar_t* name : {L"\\app.exe", L"\\notes.txt"}) DeleteFileW((path_ + name).c_str());
        RemoveDirectoryW(path_.c_str());
    }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

std::wstring FolderShown(HWND chooser) {
    wchar_t folder[MAX_PATH]{};
    SendMessageW(chooser, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    return folder;
}

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        item.resize(
            static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(item);
    }
    return items;
}

LRESULT FilesListed(HWND chooser) {
    HWND list = FindWindowExW(GetDlgItem(chooser, kFileList), nullptr, L"SysListView32", nullptr);
    return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
}

class FileChooser : public testing::Test {
protected:
    std::optional<std::wstring> Choose(const std::wstring& folder, const std::function<void(HWND)>& inspect) {
        std::optional<std::wstring> result;
        ShowAndInspect(
            owner_.get(), [&] { result = ChooseExecutable(owner_.get(), folder); }, inspect);
        return result;
    }

    ui::OwnedWindow owner_{win_test::CreateOwner({100, 80, 700, 480})};
    TempFolder folder_;
};

// Executables first and preselected, then all files; the list shows only
// the executable until the filter is changed.
TEST_F(FileChooser, StartsInTheGivenFolderWithTheExecutableFilter) {
    Choose(folder_.Path(), [&](HWND chooser) {
        EXPECT_EQ(GetWindow(chooser, GW_OWNER), owner_.get());
        EXPECT_EQ(FolderShown(chooser), folder_.Path());
        HWND types = GetDlgItem(chooser, kFileTypes);
        EXPECT_EQ(ComboItems(types),
                  (std::vector<std::wstring>{Utf8("実行ファイル(*.exe)"), Utf8("すべて(*.*)")}));
        EXPECT_EQ(SendMessageW(types, CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(FilesListed(chooser), 1);
    });
}

// A typed name that does not exist is accepted; the path comes back whole.
TEST_F(FileChooser, GivesBackTheFullPathOfATypedName) {
    const auto result = Choose(folder_.Path(), [](HWND chooser) {
        SendMessageW(chooser, CDM_SETCONTROLTEXT, kFileName, reinterpret_cast<LPARAM>(L"picked.exe"));
        SendDlgItemMessageW(chooser, IDOK, BM_CLICK, 0, 0);
        Pump(chooser);
    });
    ASSERT_TRUE(result);
    EXPECT_EQ(*result, folder_.Path() + L"\\picked.exe");
}

TEST_F(FileChooser, GivesNothingWhenCancelled) {
    const auto result = Choose(folder_.Path(), [](HWND chooser) {
        SendDlgItemMessageW(chooser, IDCANCEL, BM_CLICK, 0, 0);
        Pump(chooser);
    });
    EXPECT_FALSE(result);
}

}  // namespace
