#pragma once

// CCmdTarget: the root of every class that receives commands through a
// message map. CCmdUI: the state of one menu item (or other user-interface
// element) that command-update handlers enable and check.

#include "AfxMsgMap.h"
#include "AfxObject.h"
#include "AfxString.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Looks nID up in this object's message map (command when nCode is
    // CN_COMMAND or a notification code, command update when it is
    // CN_UPDATE_COMMAND_UI with pExtra the CCmdUI*). With pHandlerInfo, only
    // reports whether a handler exists. Derived classes route further.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The wait cursor (through the desktop), counted.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    friend class CCmdUI;
};

// Searches one message map chain for an entry.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode,
                                            UINT nID);

class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 unchecked, 1 checked
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    // Asks pTarget's handlers for the state; with no handler and
    // bDisableIfNoHndler, the item is enabled exactly when a command handler exists.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    UINT m_nID = 0;
    UINT m_nIndex = 0;         // position in the menu
    CMenu* m_pMenu = nullptr;  // the menu holding the item, or null
    CMenu* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr;  // a window (toolbar button, status pane...) instead of a menu
    UINT m_nIndexMax = 0;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
};

// Restores the normal cursor when it goes out of scope.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};
