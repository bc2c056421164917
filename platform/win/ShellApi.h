#pragma once

// The notification area (tray): Shell_NotifyIconA, through the desktop.

#include "WinTypes.h"

constexpr DWORD NIM_ADD = 0x00000000;
constexpr DWORD NIM_MODIFY = 0x00000001;
constexpr DWORD NIM_DELETE = 0x00000002;

constexpr UINT NIF_MESSAGE = 0x00000001;
constexpr UINT NIF_ICON = 0x00000002;
constexpr UINT NIF_TIP = 0x00000004;

struct NOTIFYICONDATAA {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[128];
};
typedef NOTIFYICONDATAA NOTIFYICONDATA;
typedef NOTIFYICONDATAA* PNOTIFYICONDATAA;

// Adds, changes or removes an icon in the notification area. Fails (FALSE)
// when the desktop has no notification area or the icon is unknown.
BOOL Shell_NotifyIconA(DWORD dwMessage, PNOTIFYICONDATAA lpData);
inline BOOL Shell_NotifyIcon(DWORD m, PNOTIFYICONDATAA d) {
    return Shell_NotifyIconA(m, d);
}
