// Command dispatch through message maps, command-update state, wait cursor.

#include "AfxApp.h"
#include "AfxCmdTarget.h"
#include "AfxWnd.h"
#include "Desktop.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, {}}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode,
                                            UINT nID) {
    for (; pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->nSig != AfxSig_end; ++e)
            if (e->nMessage == nMsg && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID)
                return e;
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    const AFX_MSGMAP_ENTRY* e =
        AfxFindMessageEntry(GetMessageMap(), WM_COMMAND, static_cast<UINT>(nCode), nID);
    if (!e) return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = e;
        return TRUE;
    }
    switch (e->nSig) {
        case AfxSigCmd_v:
            (this->*e->pfn.pfn_v)();
            return TRUE;
        case AfxSigCmd_RANGE:
            (this->*e->pfn.pfn_vu)(nID);
            return TRUE;
        case AfxSigCmdUI: {
            auto* ui = static_cast<CCmdUI*>(pExtra);
            if (!ui) return FALSE;
            ui->m_bContinueRouting = FALSE;
            (this->*e->pfn.pfn_cmdui)(ui);
            return ui->m_bContinueRouting ? FALSE : TRUE;
        }
        default:
            return FALSE;
    }
}

void CCmdTarget::BeginWaitCursor() {
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(1);
    else
        platform::GetDesktop().BeginWaitCursor();
}

void CCmdTarget::EndWaitCursor() {
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(-1);
    else
        platform::GetDesktop().EndWaitCursor();
}

void CCmdTarget::RestoreWaitCursor() {
    if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(0);
}

void CCmdUI::Enable(BOOL bOn) {
    if (m_pMenu)
        m_pMenu->EnableMenuItem(m_nIndex,
                                MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    else if (m_pOther)
        m_pOther->EnableWindow(bOn);
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
    if (m_pMenu)
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    else if (m_pOther)
        m_pOther->SendMessage(BM_SETCHECK, nCheck ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CCmdUI::SetRadio(BOOL bOn) {
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText) {
    if (!m_pMenu && m_pOther) m_pOther->SetWindowText(lpszText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
    if (!pTarget) return FALSE;
    m_bEnableChanged = FALSE;
    BOOL result = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{nullptr, nullptr};
        BOOL hasHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(hasHandler);
    }
    return result;
}

CWaitCursor::CWaitCursor() {
    AfxGetApp() ? AfxGetApp()->DoWaitCursor(1) : platform::GetDesktop().BeginWaitCursor();
}
CWaitCursor::~CWaitCursor() {
    AfxGetApp() ? AfxGetApp()->DoWaitCursor(-1) : platform::GetDesktop().EndWaitCursor();
}
void CWaitCursor::Restore() {
    if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(0);
}
