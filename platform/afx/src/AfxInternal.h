#pragma once

// Inside the class library: window creation over Qt widgets and the modal loop.

#include <QDialog>
#include <QEventLoop>
#include <QFont>
#include <QSize>
#include <QWidget>

#include "AfxWnd.h"
#include "WindowHandle.h"

struct CWnd::ModalLoop {
    QEventLoop loop;
};

// The window procedure of windows attached to a CWnd.
LRESULT AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Gives `widget` a handle, attaches pWnd and sends WM_CREATE with `cs`; FALSE
// (and the window destroyed) when OnCreate returns -1.
BOOL AfxCreateWindowFor(CWnd* pWnd, QWidget* widget, CREATESTRUCT& cs, const char* className);

// The widget behind a CWnd, or null.
inline QWidget* AfxWidget(const CWnd* pWnd) {
    return pWnd ? platform::win::WidgetFromHandle(pWnd->m_hWnd) : nullptr;
}

// The owner top-level widget a modal window of pParent should have: pParent's
// window, else the main window's; null when there is none.
QWidget* AfxOwnerWidget(CWnd* pParent);

namespace platform::res {
struct DialogTemplate;
}

// The font a dialog template asks for, and its base units (average width of
// the 52 letters, rounded as the platform does, and height) in pixels.
QFont AfxTemplateFont(const platform::res::DialogTemplate& t);
QSize AfxDialogBaseUnits(const QFont& font);

// Ends CWinApp::Run's message loop (the main window is gone).
void AfxEndRunLoop(int nExitCode);

// Narrow text to a widget's text.
inline QString AfxQString(LPCTSTR s) {
    return QString::fromLocal8Bit(s ? s : "");
}

// Escape or closing: the Cancel command, unless the Cancel button is disabled.
void AfxPressCancel(HWND hDlg);

// The window of a top-level dialog or sheet: Escape presses Cancel.
class AfxDialogWidget : public QDialog {
public:
    using QDialog::QDialog;
    void reject() override { AfxPressCancel(platform::win::HandleFromWidget(this)); }
};

// Shows a created dialog or sheet modal to its owner, runs it until it ends,
// then destroys its window.
void AfxRunModalWindow(CWnd* pWnd);

// A dialog's last stop for commands (not control notifications): the application.
BOOL AfxRouteCommandToApp(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
