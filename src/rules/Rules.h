// The rules subsystem: per executable, the transparency, tray and
// always-on-top its windows get. It owns the rules in row order, the rule
// list (lvRegWin) with its images and pop-up menu, and opens the rule editor.
// It treats windows through the tray's named operations.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "rules/RegWinItem.h"
#include "ui/Handles.h"
#include "ui/MenuBuilder.h"

class TTray;

class TRules {
public:
    // The windows now listed whose executable is this file (in any letter case).
    using WindowsOfFile = std::function<std::vector<HWND>(const std::string& fileName)>;

    // rulesChanged: a rule was added, replaced or deleted and is to be saved.
    TRules(HWND mainWindow, TTray& tray, WindowsOfFile windowsOfFile, std::function<void()> rulesChanged);
    TRules(const TRules&) = delete;
    TRules& operator=(const TRules&) = delete;

    HWND ListView() const { return lvRegWin; }
    bool OnCommand(UINT id);
    // Notifications and the context menu of lvRegWin.
    LRESULT OnNotify(NMHDR& hdr);
    void OnContextMenu(POINT screen);

    // Operations for the other subsystems.
    int IndexOfRule(const std::string& fileName) const;
    // Applies the rule of the window's executable, if there is one.
    void ApplyRuleOf(HWND wnd, const std::string& fileName);
    // Opens the editor for a new rule of this executable (自動ウィンドウ制御に登録).
    void RegisterProgram(const std::string& fileName);

    // The stored "RegistWindows" text.
    void LoadRules(const std::string& text);
    std::string RulesText() const;

private:
    void AddRule(const StoredRule& values);
    void PutRule(const StoredRule& values);
    void DeleteRule(int index, bool keepImageIndexes);
    void ApplyRule(HWND wnd, const TRegWinItem& rule);
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
};
