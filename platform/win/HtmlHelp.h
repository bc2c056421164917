#pragma once

// The compiled help viewer, through the desktop. The file argument is
// "file.chm", optionally followed by "::/topic.htm" and by ">window type".

#include "WinTypes.h"

constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
constexpr UINT HH_HELP_FINDER = 0x0000;
constexpr UINT HH_DISPLAY_TOC = 0x0001;
constexpr UINT HH_CLOSE_ALL = 0x0012;

// Returns the help window's handle, or null when nothing was shown (the file
// is missing or unreadable).
HWND HtmlHelpA(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);
inline HWND HtmlHelp(HWND h, LPCSTR f, UINT c, DWORD_PTR d) {
    return HtmlHelpA(h, f, c, d);
}
