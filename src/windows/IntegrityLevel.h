// The mandatory integrity level of another program's process. Windows keeps a
// process from sending input or changing the windows of a process above its
// own level (User Interface Privilege Isolation): hiding, showing or restyling
// the window of a program run as administrator fails silently from a normal
// one. The program asks first, so that it can say so instead.
#pragma once
#include <windows.h>

#include <optional>
#include <unordered_map>

// How reading a process's level ended. AccessDenied: the process or its token
// refused even a query, which is what a process above ours does.
enum class LevelRead { Read, AccessDenied, Failed };

struct IntegrityReading {
    LevelRead result = LevelRead::Failed;
    DWORD level = 0;  // a SECURITY_MANDATORY_*_RID; only when result is Read
};

// The level of a token opened with TOKEN_QUERY; nothing when it cannot be read.
std::optional<DWORD> IntegrityLevelOfToken(HANDLE token);

// The level of this process. SECURITY_MANDATORY_MEDIUM_RID when the system has
// no levels (before Vista) or the token cannot be read.
DWORD OwnIntegrityLevel();

// The level of a process, and of the process of a window.
IntegrityReading ProcessIntegrityLevel(DWORD processId);
IntegrityReading WindowIntegrityLevel(HWND wnd);

// While one lives on this thread, each process's level is read once and then
// remembered: a refresh that applies the rules of many windows of one program
// opens that program's process and token once, not two or three times a
// window. A process's level does not change while it lives, and a scope lasts
// no longer than one refresh.
class TIntegrityScope {
public:
    TIntegrityScope();
    ~TIntegrityScope();
    TIntegrityScope(const TIntegrityScope&) = delete;
    TIntegrityScope& operator=(const TIntegrityScope&) = delete;

private:
    friend IntegrityReading ProcessIntegrityLevel(DWORD processId);
    std::unordered_map<DWORD, IntegrityReading> read_;
    TIntegrityScope* outer_;
};

// True when their level is above ours: the system refuses our changes.
bool CannotControl(DWORD ourLevel, DWORD theirLevel);

// The same for a reading. A refused query counts as a higher level; any other
// failure (the process is gone) does not, so the program goes on and tries.
bool CannotControl(DWORD ourLevel, const IntegrityReading& theirs);

// True when this process cannot change the window (the two above, together).
bool CannotControlWindow(HWND wnd);

// What the program does with a window, by the level of its process: act on it,
// or leave it alone (nothing half-changed, nothing registered) and, the first
// time one of that program's windows is met, say why.
enum class ControlVerdict { Act, LeaveAlone, LeaveAloneAndTell };

ControlVerdict DecideControl(DWORD ourLevel, const IntegrityReading& theirs, bool programToldBefore);
