// The rules subsystem: per executable, the transparency, tray and
// always-on-top its windows get. It owns the rules in row order, the rule
// list (lvRegWin) with its images and pop-up menu, and opens the rule editor.
// It treats windows through the tray's named operations.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "rules/RegWinItem.h"
#include "ui/Handles.h"
#include "ui/MenuBuilder.h"

class TTray;

class TRules {
public:
    // The windows now listed whose executable is this file (in any letter case).
    using WindowsOfFile = std::function<std::vector<HWND>(const std::wstring& fileName)>;

    // rulesChanged: a rule was added, replaced or deleted and is to be saved.
    TRules(HWND mainWindow, TTray& tray, WindowsOfFile windowsOfFile, std::function<void()> rulesChanged);
    TRules(const TRules&) = delete;
    TRules& operator=(const TRules&) = delete;

    HWND ListView() const { return lvRegWin; }
    bool OnCommand(UINT id);
    // Notifications and the context menu of lvRegWin.
    LRESULT OnNotify(NMHDR& hdr);
    void OnContextMenu(POINT screen);
    // The main window moved to another DPI: the rules' icons take its small-icon size.
    void OnDpiChanged(UINT dpi);

    // Operations for the other subsystems.
    // The rule whose path is this one exactly; -1 when none.
    int IndexOfRule(const std::wstring& fileName) const;
    // Applies the rule of the window's executable, if there is one: to a
    // window the library reports or a refresh finds. The first time a window
    // is met, a rule that hides on open sends it into the tray at once.
    void ApplyRuleOf(HWND wnd, const std::wstring& fileName);
    // Opens the editor for a new rule of this executable (自動ウィンドウ制御に登録).
    void RegisterProgram(const std::wstring& fileName);

    // The stored "RegistWindows" text.
    void LoadRules(const std::string& text);
    std::string RulesText() const;
    // The stored "RegWinColumnsOrder" text: the list's column order and widths.
    void LoadColumnOrder(const std::string& text);
    std::string ColumnOrderText() const;

private:
    void AddRule(const StoredRule& values);
    void PutRule(const StoredRule& values);
    void DeleteRule(int index, bool keepImageIndexes);
    void DrawRuleImages();
    void ApplyRule(HWND wnd, const TRegWinItem& rule);
    bool FirstMeeting(HWND wnd);
    void SetRegWinRowCount();

    // The rule list and its commands (rules/RuleList.cpp).
    void lvRegWinData(LVITEMW& item);
    void lvRegWinContextPopup();
    void EditRule(const StoredRule& prefill);
    void NNewClick();
    void lvRegWinDblClick();
    void NRegDeleteClick();
    void NClearClick();
    static const ui::Command<TRules> kCommands[];

    HWND MainWindow;
    TTray& Tray;
    WindowsOfFile WindowsOfFile_;
    std::function<void()> RulesChanged;
    HWND lvRegWin = nullptr;
    ui::OwnedImageList RegWinImageList;
    ui::OwnedMenu lvRegMenu;
    std::vector<TRegWinItem> RegWinItems;  // in row order
    // Rules from here on hold a blank image until the list first needs one:
    // the shell's first icon costs tens of milliseconds, and the list sits on
    // the second tab, so start-up does not wait for it.
    static constexpr size_t kAllDrawn = static_cast<size_t>(-1);
    size_t UndrawnFrom = kAllDrawn;
    // Every window a rule was looked up for: "hide on open" hides a window
    // once, so a window the user took out of the tray stays out.
    std::unordered_set<HWND> MetWindows;
    static constexpr size_t kMetPruneAtLeast = 512;
    size_t MetPruneAt = kMetPruneAtLeast;
    // Column entries the stored order text had (columns added since are written once changed).
    size_t StoredColumns = 0;
};
