// The line protocol of window_helper.exe, the helper program that Windows tests
// start to get windows that belong to ANOTHER process.
//
// The test writes one request line to the helper's standard input and reads one
// reply line from its standard output, in turn. Lines end with "\n".
//
//   request: VERB key=value key=value ...
//   reply:   ok [value ...]        (values separated by single spaces)
//            err MESSAGE
//
// Values are percent-encoded (EncodeValue): every byte outside [A-Za-z0-9._,-]
// is written %XX, so titles may hold spaces and any ANSI-code-page bytes.
// Window, icon and other handles are written 0x<hex> (FormatHandle); numbers
// in decimal or 0x<hex>.
//
// Verbs (the helper runs each on the thread that owns the window it names):
//   pid                         -> ok PROCESS_ID
//   guard                       -> ok once no other process may open the
//                                  helper's process (an empty access list),
//                                  as a program run above the caller's level
//   create  [title=] [class=] [classicon=custom|app|none] [owner=HWND]
//           [parent=HWND (makes a child)] [style=N] [exstyle=N]
//           [show=normal|min|max|hidden] [thread=main|new]
//                               -> ok HWND
//       A class named by class= is registered on first use with the given
//       class icon; classicon=none gives a class without large and small icon.
//       Defaults: class "PelmoraHelperWindow" (custom icon) or, with
//       classicon=none, "PelmoraHelperNoIcon"; show=normal (shown without
//       activation); thread=main. thread=new puts the window on a thread of
//       its own, so hang can stop it while the helper goes on answering.
//   classicon hwnd=HWND         -> ok HICON (the small icon the helper gave the
//                                  window's class, 0x0 for none)
//   show    hwnd=HWND cmd=SW    -> ok 0|1 (ShowWindow's result)
//   settext hwnd=HWND title=T   -> ok
//   enable  hwnd=HWND on=0|1    -> ok (EnableWindow)
//   activate hwnd=HWND          -> ok 0|1 (SetForegroundWindow's result)
//   destroy hwnd=HWND           -> ok
//   clicks  hwnd=HWND           -> ok COUNT (mouse-button messages, client or
//                                  non-client, the window has received)
//   notify  hwnd=HWND event=N   -> ok; the window's thread raises WinEvent N
//                                  for the window itself (NotifyWinEvent)
//   hang    hwnd=HWND           -> ok once the window's thread has stopped
//                                  pumping messages (it waits until unhang)
//   unhang  hwnd=HWND           -> ok; the thread pumps again
//   taskbar buttons=HWND,HWND,... [thread=main|new]
//                               -> ok TRAY_HWND TOOLBAR_HWND
//       Builds the taskbar's window chain: a top-level "Shell_TrayWnd" >
//       "ReBarWindow32" > "MSTaskSwWClass" > "ToolbarWindow32" (a real toolbar
//       control) with one button per listed window, in order, command ids
//       1000, 1001, ..., state TBSTATE_ENABLED. Each button's dwData is the
//       address, inside the helper, of a record whose first pointer-sized
//       field is the listed window handle (the layout of this 64-bit build).
//   tbstates toolbar=HWND       -> ok STATE STATE ... (fsState of each button)
//   quit                        -> ok, then the helper ends
// The helper also ends when its standard input is closed, so it never
// outlives the test that started it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace helper {

inline std::string EncodeValue(const std::string& raw) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : raw) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
                     c == '_' || c == ',' || c == '-';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

inline int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A malformed escape is kept as it stands.
inline std::string DecodeValue(const std::string& encoded) {
    std::string out;
    for (size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '%' && i + 2 < encoded.size() && HexDigit(encoded[i + 1]) >= 0 &&
            HexDigit(encoded[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(encoded[i + 1]) * 16 + HexDigit(encoded[i + 2]));
            i += 2;
        } else {
            out += encoded[i];
        }
    }
    return out;
}

inline std::string FormatHandle(const void* handle) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(handle)));
    return text;
}

template <typename H = HWND>
H ParseHandle(const std::string& text) {
    return reinterpret_cast<H>(static_cast<std::uintptr_t>(std::strtoull(text.c_str(), nullptr, 0)));
}

}  // namespace helper
