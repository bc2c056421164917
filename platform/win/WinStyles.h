#pragma once

// Window, control, menu and accelerator style bits with the platform's values.

#include <cstdint>

// Window styles
constexpr std::uint32_t WS_OVERLAPPED = 0x00000000u;
constexpr std::uint32_t WS_POPUP = 0x80000000u;
constexpr std::uint32_t WS_CHILD = 0x40000000u;
constexpr std::uint32_t WS_MINIMIZE = 0x20000000u;
constexpr std::uint32_t WS_VISIBLE = 0x10000000u;
constexpr std::uint32_t WS_DISABLED = 0x08000000u;
constexpr std::uint32_t WS_CLIPSIBLINGS = 0x04000000u;
constexpr std::uint32_t WS_CLIPCHILDREN = 0x02000000u;
constexpr std::uint32_t WS_MAXIMIZE = 0x01000000u;
constexpr std::uint32_t WS_CAPTION = 0x00C00000u;
constexpr std::uint32_t WS_BORDER = 0x00800000u;
constexpr std::uint32_t WS_DLGFRAME = 0x00400000u;
constexpr std::uint32_t WS_VSCROLL = 0x00200000u;
constexpr std::uint32_t WS_HSCROLL = 0x00100000u;
constexpr std::uint32_t WS_SYSMENU = 0x00080000u;
constexpr std::uint32_t WS_THICKFRAME = 0x00040000u;
constexpr std::uint32_t WS_GROUP = 0x00020000u;
constexpr std::uint32_t WS_TABSTOP = 0x00010000u;
constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000u;
constexpr std::uint32_t WS_MAXIMIZEBOX = 0x00010000u;
constexpr std::uint32_t WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr std::uint32_t WS_EX_CLIENTEDGE = 0x00000200u;
constexpr std::uint32_t WS_EX_STATICEDGE = 0x00020000u;

// Dialog styles
constexpr std::uint32_t DS_SETFONT = 0x40u;
constexpr std::uint32_t DS_MODALFRAME = 0x80u;
constexpr std::uint32_t DS_3DLOOK = 0x0004u;
constexpr std::uint32_t DS_FIXEDSYS = 0x0008u;
constexpr std::uint32_t DS_CENTER = 0x0800u;

// Edit styles
constexpr std::uint32_t ES_LEFT = 0x0000u;
constexpr std::uint32_t ES_CENTER = 0x0001u;
constexpr std::uint32_t ES_RIGHT = 0x0002u;
constexpr std::uint32_t ES_MULTILINE = 0x0004u;
constexpr std::uint32_t ES_PASSWORD = 0x0020u;
constexpr std::uint32_t ES_AUTOVSCROLL = 0x0040u;
constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080u;
constexpr std::uint32_t ES_READONLY = 0x0800u;

// Button styles
constexpr std::uint32_t BS_PUSHBUTTON = 0x0000u;
constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x0001u;
constexpr std::uint32_t BS_CHECKBOX = 0x0002u;
constexpr std::uint32_t BS_AUTOCHECKBOX = 0x0003u;
constexpr std::uint32_t BS_GROUPBOX = 0x0007u;
constexpr std::uint32_t BS_TYPEMASK = 0x000Fu;

// Static styles
constexpr std::uint32_t SS_LEFT = 0x0000u;
constexpr std::uint32_t SS_CENTER = 0x0001u;
constexpr std::uint32_t SS_RIGHT = 0x0002u;
constexpr std::uint32_t SS_ICON = 0x0003u;
constexpr std::uint32_t SS_LEFTNOWORDWRAP = 0x000Cu;
constexpr std::uint32_t SS_TYPEMASK = 0x001Fu;
constexpr std::uint32_t SS_SUNKEN = 0x1000u;

// Combo box styles
constexpr std::uint32_t CBS_SIMPLE = 0x0001u;
constexpr std::uint32_t CBS_DROPDOWN = 0x0002u;
constexpr std::uint32_t CBS_DROPDOWNLIST = 0x0003u;
constexpr std::uint32_t CBS_AUTOHSCROLL = 0x0040u;
constexpr std::uint32_t CBS_SORT = 0x0100u;

// Menu item flags
constexpr std::uint32_t MF_STRING = 0x0000u;
constexpr std::uint32_t MF_GRAYED = 0x0001u;
constexpr std::uint32_t MF_DISABLED = 0x0002u;
constexpr std::uint32_t MF_CHECKED = 0x0008u;
constexpr std::uint32_t MF_POPUP = 0x0010u;
constexpr std::uint32_t MF_SEPARATOR = 0x0800u;
constexpr std::uint32_t MF_DEFAULT = 0x1000u;
constexpr std::uint32_t MF_BYCOMMAND = 0x0000u;
constexpr std::uint32_t MF_BYPOSITION = 0x0400u;

// Accelerator flags
constexpr std::uint8_t FVIRTKEY = 0x01u;
constexpr std::uint8_t FSHIFT = 0x04u;
constexpr std::uint8_t FCONTROL = 0x08u;
constexpr std::uint8_t FALT = 0x10u;

// Virtual-key codes used by the program's accelerators
constexpr std::uint16_t VK_BACK = 0x08;
constexpr std::uint16_t VK_INSERT = 0x2D;
constexpr std::uint16_t VK_DELETE = 0x2E;
constexpr std::uint16_t VK_F1 = 0x70;
constexpr std::uint16_t VK_F6 = 0x75;
