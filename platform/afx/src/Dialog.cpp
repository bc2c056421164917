// CDialog: dialogs built from the program's templates.

#include <QDialog>
#include <QFontMetrics>
#include <QPushButton>

#include "AfxApp.h"
#include "AfxDialog.h"
#include "AfxInternal.h"
#include "ResourceLookup.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

QFont AfxTemplateFont(const platform::res::DialogTemplate& t) {
    QFont font;
    if (t.fontName && *t.fontName) font.setFamily(QString::fromLocal8Bit(t.fontName));
    if (t.pointSize > 0) font.setPointSize(t.pointSize);
    return font;
}

QSize AfxDialogBaseUnits(const QFont& font) {
    QFontMetrics fm(font);
    int width = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((width / 26 + 1) / 2, fm.height());
}

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate) {
    m_pParentWnd = pParentWnd;
}

CDialog::~CDialog() = default;

BOOL CDialog::CreateFromTemplate(UINT nIDTemplate, HWND hWndParent, BOOL bChild) {
    const platform::res::DialogTemplate* t = platform::res::FindDialog(nIDTemplate);
    if (!t || m_hWnd) return FALSE;
    platform::win::EnsureApplication();
    QWidget* parent = platform::win::WidgetFromHandle(hWndParent);
    if (bChild && !parent) return FALSE;
    QFont font = AfxTemplateFont(*t);
    QSize base = AfxDialogBaseUnits(font);
    auto px = [&](int x) { return MulDiv(x, base.width(), 4); };
    auto py = [&](int y) { return MulDiv(y, base.height(), 8); };

    DWORD style = t->style;
    QWidget* w;
    if (bChild) {
        // A child dialog (a property page): never a window of its own, enabled.
        style = (style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DISABLED | DS_MODALFRAME)) |
                WS_CHILD;
        w = new QWidget(parent);
        w->setVisible(false);
    } else {
        w = new AfxDialogWidget(parent);
        w->setWindowTitle(QString::fromLocal8Bit(t->caption ? t->caption : ""));
        platform::win::ApplyTopLevelStyle(w, style);
    }
    w->setFont(font);
    w->resize(px(t->cx), py(t->cy));
    HWND h = platform::win::CreateWindowHandle(w, "#32770", 0, style);
    if (!Attach(h)) {
        delete w;
        return FALSE;
    }
    for (const platform::res::DialogItem& item : t->items) {
        ::CreateWindowExA(item.exStyle, item.className, item.text, item.style | WS_CHILD,
                          px(item.x), py(item.y), px(item.cx), py(item.cy), h,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), nullptr, nullptr);
    }
    ::SendMessageA(h, WM_INITDIALOG, 0, 0);
    return m_hWnd != nullptr;
}

INT_PTR CDialog::DoModal() {
    QWidget* owner = AfxOwnerWidget(m_pParentWnd);
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (!CreateFromTemplate(m_nIDTemplate, platform::win::HandleFromWidget(owner), FALSE)) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        return -1;
    }
    AfxRunModalWindow(this);
    m_nFlags &= ~WF_CONTINUEMODAL;
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    const platform::res::DialogTemplate* t = platform::res::FindDialog(nIDTemplate);
    if (!t) return FALSE;
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    BOOL child = (t->style & WS_CHILD) != 0;
    HWND parent = child ? pParentWnd ? pParentWnd->m_hWnd : nullptr
                        : platform::win::HandleFromWidget(AfxOwnerWidget(pParentWnd));
    if (!CreateFromTemplate(nIDTemplate, parent, child)) return FALSE;
    if (t->style & WS_VISIBLE) ShowWindow(SW_SHOW);
    return TRUE;
}

void CDialog::EndDialog(int nResult) {
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::NextDlgCtrl() const {
    if (QWidget* w = AfxWidget(this))
        if (QWidget* f = w->focusWidget()) f->nextInFocusChain()->setFocus(Qt::TabFocusReason);
}

void CDialog::PrevDlgCtrl() const {
    if (QWidget* w = AfxWidget(this))
        if (QWidget* f = w->focusWidget())
            f->previousInFocusChain()->setFocus(Qt::BacktabFocusReason);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (pWndCtrl) ::SetFocus(pWndCtrl->m_hWnd);
}

void CDialog::SetDefID(UINT nID) {
    if (auto* b = qobject_cast<QPushButton*>(
            platform::win::WidgetFromHandle(::GetDlgItem(m_hWnd, static_cast<int>(nID)))))
        b->setDefault(true);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_INITDIALOG) {
        BOOL focusDefault = OnInitDialog();
        if (pResult) *pResult = focusDefault;
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        if (!(GetStyle() & WS_CHILD)) AfxPressCancel(m_hWnd);
        return 0;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return AfxRouteCommandToApp(nID, nCode, pExtra, pHandlerInfo);
}

void AfxRunModalWindow(CWnd* pWnd) {
    if (QWidget* w = AfxWidget(pWnd); w && pWnd->ContinueModal()) {
        w->setWindowModality(w->parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
        pWnd->CenterWindow();
        pWnd->ShowWindow(SW_SHOW);
        pWnd->RunModalLoop();
    }
    if (pWnd->m_hWnd) {
        pWnd->ShowWindow(SW_HIDE);
        pWnd->DestroyWindow();
    }
}

void AfxPressCancel(HWND hDlg) {
    if (!hDlg) return;
    HWND cancel = ::GetDlgItem(hDlg, IDCANCEL);
    if (cancel && !::IsWindowEnabled(cancel)) return;
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(cancel));
}

BOOL AfxRouteCommandToApp(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    bool command =
        nCode == static_cast<int>(CN_COMMAND) || nCode == static_cast<int>(CN_UPDATE_COMMAND_UI);
    if (!command || nID < 0x8000 || nID >= 0xF000) return FALSE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
