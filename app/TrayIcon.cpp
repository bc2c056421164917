#include "TrayIcon.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CTrayIcon, CCmdTarget)

CTrayIcon::CTrayIcon(UINT uID) {
    memset(&m_iconData, 0, sizeof(m_iconData));
    m_iconData.cbSize = sizeof(m_iconData);
    m_iconData.uID = uID;
    LoadTip(uID);
}

CTrayIcon::~CTrayIcon() {
    if (m_iconData.hIcon != NULL) {
        m_iconData.uFlags = 0;
        AddTipAndMessageFlags();
        Shell_NotifyIconA(NIM_DELETE, &m_iconData);
        DestroyIcon(m_iconData.hIcon);
        m_iconData.hIcon = NULL;
    }
}

void CTrayIcon::SetCallbackTarget(CWnd* pWnd, UINT uCbMsg) {
    m_iconData.hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
    m_iconData.uCallbackMessage = uCbMsg;
}

// Tooltip from string nID, at most sizeof(szTip) - 1 bytes, cut before a
// character rather than inside one; empty when there is no such string.
void CTrayIcon::LoadTip(UINT nID) {
    CString strTip;
    if (!strTip.LoadString(nID)) strTip.Empty();
    size_t nLength = static_cast<size_t>(strTip.GetLength());
    const size_t nMax = sizeof(m_iconData.szTip) - 1;
    if (nLength > nMax) {
        nLength = nMax;
        // step back over the continuation bytes of a cut multibyte character
        while (nLength > 0 &&
               (static_cast<unsigned char>(strTip[static_cast<int>(nLength)]) & 0xC0) == 0x80)
            --nLength;
    }
    memcpy(m_iconData.szTip, static_cast<LPCTSTR>(strTip), nLength);
    m_iconData.szTip[nLength] = '\0';
}

void CTrayIcon::AddTipAndMessageFlags() {
    if (m_iconData.szTip[0] != '\0') m_iconData.uFlags |= NIF_TIP;
    if (m_iconData.uCallbackMessage != 0 && m_iconData.hWnd != NULL)
        m_iconData.uFlags |= NIF_MESSAGE;
}

BOOL CTrayIcon::UpdateIcon(UINT nID) {
    HICON hNewIcon = NULL;
    if (nID != 0) {
        LoadTip(nID);
        hNewIcon =
            static_cast<HICON>(LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCE(nID), IMAGE_ICON,
                                          16, 16, LR_LOADMAP3DCOLORS | LR_VGACOLOR));
    }

    const HICON hOldIcon = m_iconData.hIcon;
    DWORD dwMessage;
    m_iconData.uFlags = 0;
    if (hNewIcon != NULL) {
        m_iconData.uFlags = NIF_ICON;
        dwMessage = hOldIcon != NULL ? NIM_MODIFY : NIM_ADD;
        m_iconData.hIcon = hNewIcon;
    } else {
        if (hOldIcon == NULL) return TRUE;  // nothing shown, nothing to remove
        dwMessage = NIM_DELETE;
    }
    AddTipAndMessageFlags();

    BOOL bResult = Shell_NotifyIconA(dwMessage, &m_iconData);
    if (dwMessage == NIM_DELETE || !bResult) m_iconData.hIcon = NULL;

    // Release the icons that are no longer shown; a failed add is retried with
    // a freshly loaded icon on the next update.
    if (hOldIcon != NULL && hOldIcon != m_iconData.hIcon) DestroyIcon(hOldIcon);
    if (hNewIcon != NULL && hNewIcon != m_iconData.hIcon) DestroyIcon(hNewIcon);
    return bResult;
}

LRESULT CTrayIcon::HandleIconMessage(WPARAM wParam, LPARAM lParam) {
    if (wParam != m_iconData.uID) return 0;
    if (lParam != WM_RBUTTONUP && lParam != WM_LBUTTONDBLCLK) return 0;

    // The icon's menu: its first popup, loaded afresh each time so that the
    // frame's update handlers set its state when it opens.
    CMenu menu;
    if (!menu.LoadMenu(m_iconData.uID)) return 0;
    CMenu* pSubMenu = menu.GetSubMenu(0);
    if (pSubMenu == NULL) return 0;

    if (lParam == WM_RBUTTONUP) {
        SetMenuDefaultItem(pSubMenu->m_hMenu, 0, TRUE);  // "Open" in bold
        POINT ptMouse;
        GetCursorPos(&ptMouse);
        SetForegroundWindow(m_iconData.hWnd);
        TrackPopupMenu(pSubMenu->m_hMenu, 0, ptMouse.x, ptMouse.y, 0, m_iconData.hWnd, NULL);
    } else {
        // A double click runs the first item, Open.
        SendMessageA(m_iconData.hWnd, WM_COMMAND, pSubMenu->GetMenuItemID(0), 0);
    }

    menu.DestroyMenu();
    return 1;
}
