#include "windows/IntegrityLevel.h"

#include <vector>

#include "ui/Handles.h"

namespace {

IntegrityReading Refused() {
    return {GetLastError() == ERROR_ACCESS_DENIED ? LevelRead::AccessDenied : LevelRead::Failed, 0};
}

thread_local TIntegrityScope* currentScope = nullptr;

IntegrityReading ReadProcessIntegrityLevel(DWORD processId) {
    const ui::OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return Refused();
    HANDLE token = nullptr;
    if (!OpenProcessToken(process.get(), TOKEN_QUERY, &token)) return Refused();
    const ui::OwnedHandle owned(token);
    std::optional<DWORD> level = IntegrityLevelOfToken(token);
    if (!level) return Refused();
    return {LevelRead::Read, *level};
}

}  // namespace

std::optional<DWORD> IntegrityLevelOfToken(HANDLE token) {
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    if (size < sizeof(TOKEN_MANDATORY_LABEL)) return std::nullopt;
    std::vector<unsigned char> buffer(size);
    if (!GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) return std::nullopt;
    PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    if (!IsValidSid(sid) || *GetSidSubAuthorityCount(sid) == 0) return std::nullopt;
    // The level is the last part of the label's SID (S-1-16-<level>).
    return *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
}

DWORD OwnIntegrityLevel() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return SECURITY_MANDATORY_MEDIUM_RID;
    const ui::OwnedHandle owned(token);
    return IntegrityLevelOfToken(token).value_or(SECURITY_MANDATORY_MEDIUM_RID);
}

IntegrityReading ProcessIntegrityLevel(DWORD processId) {
    if (!currentScope) return ReadProcessIntegrityLevel(processId);
    auto known = currentScope->read_.find(processId);
    if (known != currentScope->read_.end()) return known->second;
    IntegrityReading reading = ReadProcessIntegrityLevel(processId);
    currentScope->read_.emplace(processId, reading);
    return reading;
}

TIntegrityScope::TIntegrityScope() : outer_(currentScope) {
    currentScope = this;
}

TIntegrityScope::~TIntegrityScope() {
    currentScope = outer_;
}

IntegrityReading WindowIntegrityLevel(HWND wnd) {
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(wnd, &processId)) return {};
    return ProcessIntegrityLevel(processId);
}

bool CannotControl(DWORD ourLevel, DWORD theirLevel) {
    return theirLevel > ourLevel;
}

bool CannotControl(DWORD ourLevel, const IntegrityReading& theirs) {
    switch (theirs.result) {
        case LevelRead::Read:
            return CannotControl(ourLevel, theirs.level);
        case LevelRead::AccessDenied:
            return true;
        case LevelRead::Failed:
            break;
    }
    return false;
}

bool CannotControlWindow(HWND wnd) {
    return CannotControl(OwnIntegrityLevel(), WindowIntegrityLevel(wnd));
}

ControlVerdict DecideControl(DWORD ourLevel, const IntegrityReading& theirs, bool programToldBefore) {
    if (!CannotControl(ourLevel, theirs)) return ControlVerdict::Act;
    return programToldBefore ? ControlVerdict::LeaveAlone : ControlVerdict::LeaveAloneAndTell;
}
