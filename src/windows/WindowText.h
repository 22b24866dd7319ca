// Reading the text of another application's window without ever waiting long
// for it: a window whose thread does not answer within kAnswerTimeoutMs is
// read from the caption the system keeps for it.
#pragma once
#include <windows.h>

#include <string>

// How long the program waits for another program's window to answer a message.
inline constexpr UINT kAnswerTimeoutMs = 200;

// The window's text, at most 254 bytes of ANSI text (what WM_GETTEXT gives
// into a 255-byte buffer); never waits for another program.
std::string ReadWindowTitle(HWND wnd);

// The window's complete text, however long, as the system keeps it (UTF-16:
// every script, whatever the ANSI code page can write).
std::wstring GetWindowCaption(HWND wnd);

// The caption the system keeps for the window (no message is sent), in the
// ANSI code page, cut to at most maxBytes without splitting a character.
std::string SystemCaption(HWND wnd, size_t maxBytes);

// The longest prefix of ANSI text that fits in maxBytes without ending in the
// first byte of a double-byte character.
std::string CutAnsi(const std::string& text, size_t maxBytes);
