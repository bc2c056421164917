#pragma once

// Inside the platform only (includes Qt): what an HWND is. Every window is a
// QWidget; its handle carries the window class, control ID, styles, the
// window procedure and the class library object attached to it.

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "WinUser.h"

namespace platform::win {

// An object that lives exactly as long as one window (the class library's
// temporary wrappers of windows it did not create).
class HandleAttachment {
public:
    virtual ~HandleAttachment() = default;
};

}  // namespace platform::win

struct HWND__ {
    QPointer<QWidget> widget;
    std::string className;  // "BUTTON", "EDIT", "STATIC", "COMBOBOX", "#32770", "AfxWnd"...
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR userData = 0;
    WNDPROC wndProc = nullptr;  // null: DefWindowProcA only
    void* object = nullptr;     // the class library's CWnd attached to the window
    std::unique_ptr<platform::win::HandleAttachment> temporary;
    std::uint64_t serial = 0;
    bool destroying = false;
};

namespace platform::win {

// Gives `widget` a handle, or returns the one it already has. The handle goes
// away (after WM_NCDESTROY) when the widget is destroyed.
HWND CreateWindowHandle(QWidget* widget, const char* className, int id, DWORD style,
                        DWORD exStyle = 0);
HWND HandleFromWidget(const QWidget* widget);
// The handle of `widget` or of its nearest ancestor that has one.
HWND HandleForWidgetOrAncestor(const QWidget* widget);
QWidget* WidgetFromHandle(HWND hWnd);
// True while hWnd is the same live window it was when `serial` was read.
bool IsLiveHandle(HWND hWnd, std::uint64_t serial);
// The windows whose nearest ancestor with a handle is hWnd, in creation order.
std::vector<HWND> ChildHandles(HWND hWnd);
// Applies WS_SYSMENU (close box) and the other frame bits of `style` to a
// top-level widget's window flags.
void ApplyTopLevelStyle(QWidget* widget, DWORD style);

// The text of a window as its class shows it (edit text, button label, title).
std::string WindowText(HWND hWnd);

// Creates the QApplication when none exists yet (for instance for a message
// box shown while the program's application object is being constructed).
void EnsureApplication();

}  // namespace platform::win
