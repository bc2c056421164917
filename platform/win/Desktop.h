#pragma once

// The desktop: every surface that blocks for a person or touches the shell.
// platform/qt implements it with real Qt widgets (the default); tests install
// the scripted desktop of platform/testing with SetDesktop.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "WinTypes.h"

class QWidget;

namespace platform {

struct MessageBoxRequest {
    HWND owner = nullptr;  // null: no owner window
    std::string text;
    std::string caption;
    UINT type = 0;  // MB_* button, icon and default-button bits
};

struct MenuEntry {
    std::string text;  // as in the resource: "&" mnemonics, "\t" before the shortcut
    UINT id = 0;       // command ID; 0 for a popup or separator
    bool separator = false;
    bool enabled = true;
    bool checked = false;
    bool isDefault = false;           // shown in bold
    std::vector<MenuEntry> children;  // a popup's items
};

struct PopupMenuRequest {
    HWND owner = nullptr;
    POINT point{0, 0};  // screen coordinates
    UINT flags = 0;     // TPM_* bits
    std::vector<MenuEntry> items;
};

struct FileFilter {
    std::string name;     // "Microsoft Access Database File (*.mdb)"
    std::string pattern;  // "*.mdb" (several separated by ";")
};

struct FileDialogRequest {
    bool open = true;  // false: a save dialog
    HWND owner = nullptr;
    std::string title;  // empty: the desktop's own
    std::vector<FileFilter> filters;
    int filterIndex = 1;           // 1-based
    std::string defaultExtension;  // without the dot; empty: none is added
    std::string initialFile;       // may hold wildcards, which only filter
    std::string initialDirectory;
    DWORD flags = 0;  // OFN_* bits
};

struct TrayIconRequest {
    HWND owner = nullptr;  // window that gets the callbacks
    UINT id = 0;
    UINT flags = 0;  // NIF_* bits that are valid in this request
    UINT callbackMessage = 0;
    HICON icon = nullptr;
    std::string tip;
    // Delivers a mouse message (WM_RBUTTONUP, WM_LBUTTONDBLCLK...) to the owner as
    // the callback message, as the shell does.
    std::function<void(UINT mouseMessage)> notify;
};

struct HelpRequest {
    HWND caller = nullptr;
    std::string file;        // the .chm path
    std::string topic;       // "/Chapter ... .htm" (after "::"), may be empty
    std::string windowType;  // after ">", may be empty
    UINT command = 0;        // HH_*
    DWORD_PTR data = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // Shows a message box and returns the button pressed (IDOK, IDCANCEL...).
    virtual int MessageBox(const MessageBoxRequest& request) = 0;
    // Shows a popup menu and returns the chosen command ID, 0 when none was chosen.
    virtual UINT TrackPopupMenu(const PopupMenuRequest& request) = 0;
    // Shows a file dialog; the chosen full path, or nothing when cancelled.
    virtual std::optional<std::string> FileDialog(const FileDialogRequest& request) = 0;
    // Notification-area icon; each returns FALSE when the shell refuses.
    virtual bool TrayAdd(const TrayIconRequest& request) = 0;
    virtual bool TrayModify(const TrayIconRequest& request) = 0;
    virtual bool TrayDelete(HWND owner, UINT id) = 0;
    // Opens the help viewer; its window, or null when nothing was shown.
    virtual QWidget* ShowHelp(const HelpRequest& request) = 0;
    virtual POINT CursorPos() = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};

// Installs `desktop` (not owned; null restores the default Qt desktop).
void SetDesktop(Desktop* desktop);
// The installed desktop, or the Qt desktop when none is installed.
Desktop& GetDesktop();

}  // namespace platform
