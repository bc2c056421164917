#pragma once

// An icon in the notification area. One resource ID names both the icon and
// its tooltip string; the icon's callback messages go to a window, and its
// menu (the menu resource with the icon's ID) is shown on a right click.

#include "afxwin.h"

class CTrayIcon : public CCmdTarget {
    DECLARE_DYNAMIC(CTrayIcon)
public:
    explicit CTrayIcon(UINT uID);
    ~CTrayIcon() override;

    void SetCallbackTarget(CWnd* pWnd, UINT uCbMsg);
    // Shows icon nID with tooltip nID (adding the icon when none is shown);
    // with 0, removes the icon.
    BOOL UpdateIcon(UINT nID);
    virtual LRESULT HandleIconMessage(WPARAM wParam, LPARAM lParam);

protected:
    NOTIFYICONDATAA m_iconData;

private:
    void LoadTip(UINT nID);
    void AddTipAndMessageFlags();
};
