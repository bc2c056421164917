// Property sheets and pages. Every page change goes through PSM_SETCURSEL,
// which asks the active page first (PSN_KILLACTIVE -> OnKillActive); the tab
// bar asks before it moves, whatever moved it.

#include <QDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcut>
#include <QTabBar>
#include <QWheelEvent>
#include <functional>

#include "AfxApp.h"
#include "AfxInternal.h"
#include "AfxPropertySheet.h"
#include "ResourceLookup.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
END_MESSAGE_MAP()

namespace {

// A notification with the page's answer; the answer starts as the safe one,
// so a page whose handler failed does not let the sheet go on.
struct SheetNotify {
    NMHDR hdr;
    LRESULT result;
};

// A tab bar that changes its tab only when the sheet says so.
class VetoTabBar : public QTabBar {
public:
    VetoTabBar(QWidget* parent, std::function<void(int)> request)
        : QTabBar(parent), m_request(std::move(request)) {
        setDrawBase(false);
        connect(this, &QTabBar::currentChanged, this, [this](int index) {
            // A change that did not come through the sheet is undone and asked for.
            if (m_applying || index == m_expected) return;
            Apply(m_expected);
            if (index >= 0) m_request(index);
        });
    }

    // Adds a tab without Qt choosing a current tab on its own.
    void AddTab(const QString& text) {
        QSignalBlocker block(this);
        addTab(text);
        if (currentIndex() != m_expected) setCurrentIndex(m_expected);
    }

    void Apply(int index) {
        m_applying = true;
        m_expected = index;
        setCurrentIndex(index);
        m_applying = false;
    }

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        int index = tabAt(e->position().toPoint());
        if (index >= 0 && index != currentIndex()) m_request(index);
        e->accept();
    }

    void keyPressEvent(QKeyEvent* e) override {
        int target = -1;
        switch (e->key()) {
            case Qt::Key_Left:
            case Qt::Key_Up:
                target = currentIndex() - 1;
                break;
            case Qt::Key_Right:
            case Qt::Key_Down:
                target = currentIndex() + 1;
                break;
            case Qt::Key_Home:
                target = 0;
                break;
            case Qt::Key_End:
                target = count() - 1;
                break;
            default:
                QTabBar::keyPressEvent(e);
                return;
        }
        if (target >= 0 && target < count() && target != currentIndex()) m_request(target);
        e->accept();
    }

    void wheelEvent(QWheelEvent* e) override {
        int delta = e->angleDelta().y() != 0 ? e->angleDelta().y() : e->angleDelta().x();
        int target = currentIndex() + (delta > 0 ? -1 : 1);
        if (delta != 0 && target >= 0 && target < count()) m_request(target);
        e->accept();
    }

    bool event(QEvent* e) override {
        if (e->type() == QEvent::Shortcut) {  // Alt + the mnemonic of a tab
            auto* shortcut = static_cast<QShortcutEvent*>(e);
            for (int i = 0; i < count(); ++i) {
                if (QKeySequence::mnemonic(tabText(i)) == shortcut->key()) {
                    if (i != currentIndex()) m_request(i);
                    return true;
                }
            }
        }
        return QTabBar::event(e);
    }

private:
    std::function<void(int)> m_request;
    bool m_applying = false;
    int m_expected = -1;
};

}  // namespace

struct CPropertySheet::Impl {
    QPointer<VetoTabBar> tabBar;
    QPointer<QFrame> frame;
    QRect pageRect;
};

// CPropertyPage

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate) {
    m_psp.dwSize = sizeof(PROPSHEETPAGE);
    m_psp.nIDTemplate = nIDTemplate;
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption)) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
}

CPropertyPage::~CPropertyPage() = default;

CString CPropertyPage::GetTabCaption() const {
    if (!m_strCaption.IsEmpty()) return m_strCaption;
    const platform::res::DialogTemplate* t = platform::res::FindDialog(m_nIDTemplate);
    return t && t->caption ? CString(t->caption) : CString();
}

BOOL CPropertyPage::OnSetActive() {
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE) ? TRUE : FALSE;
}
BOOL CPropertyPage::OnApply() {
    OnOK();
    return TRUE;
}
void CPropertyPage::OnReset() {
    OnCancel();
}
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}
BOOL CPropertyPage::OnQueryCancel() {
    return TRUE;
}
void CPropertyPage::SetModified(BOOL) {}
void CPropertyPage::CancelToClose() {
    if (m_pSheet && m_pSheet->m_hWnd) {
        if (CWnd* ok = m_pSheet->GetDlgItem(IDOK)) ok->SetWindowText("Close");
        if (CWnd* cancel = m_pSheet->GetDlgItem(IDCANCEL)) cancel->EnableWindow(FALSE);
    }
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (!hdr) return FALSE;
    auto* notify = reinterpret_cast<SheetNotify*>(hdr);
    LRESULT r = 0;
    switch (hdr->code) {
        case PSN_SETACTIVE:
            r = OnSetActive() ? 0 : -1;
            break;
        case PSN_KILLACTIVE:
            r = OnKillActive() ? FALSE : TRUE;
            break;
        case PSN_APPLY:
            r = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID;
            break;
        case PSN_RESET:
            OnReset();
            break;
        case PSN_QUERYCANCEL:
            r = OnQueryCancel() ? FALSE : TRUE;
            break;
        default:
            return CDialog::OnNotify(wParam, lParam, pResult);
    }
    notify->result = r;
    if (pResult) *pResult = r;
    return TRUE;
}

// CPropertySheet

CPropertySheet::CPropertySheet() : m_pImpl(new Impl) {
    m_psh.dwSize = sizeof(PROPSHEETHEADER);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet() {
    m_strCaption.LoadString(nIDCaption);
    m_pParentWnd = pParentWnd;
    m_psh.nStartPage = iSelectPage;
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet() {
    m_strCaption = pszCaption;
    m_pParentWnd = pParentWnd;
    m_psh.nStartPage = iSelectPage;
}

CPropertySheet::~CPropertySheet() {
    if (m_hWnd) DestroyWindow();
    delete m_pImpl;
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
    if (!pPage) return;
    m_pages.push_back(pPage);
    pPage->m_pSheet = this;
    if (m_hWnd && m_pImpl->tabBar) m_pImpl->tabBar->AddTab(AfxQString(pPage->GetTabCaption()));
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) {
    RemovePage(GetPageIndex(pPage));
}

void CPropertySheet::RemovePage(int nPage) {
    if (nPage < 0 || nPage >= GetPageCount()) return;
    CPropertyPage* page = m_pages[static_cast<std::size_t>(nPage)];
    bool wasActive = m_hWnd && nPage == m_nActive;
    if (page->m_hWnd) page->DestroyWindow();
    page->m_pSheet = nullptr;
    m_pages.erase(m_pages.begin() + nPage);
    if (!m_hWnd) return;
    if (m_nActive > nPage) --m_nActive;
    if (wasActive) m_nActive = -1;
    if (m_pImpl->tabBar) {
        QSignalBlocker block(m_pImpl->tabBar.data());
        m_pImpl->tabBar->removeTab(nPage);
        m_pImpl->tabBar->Apply(m_nActive);
    }
    if (wasActive && !m_pages.empty()) ActivatePage(0);
}

int CPropertySheet::GetPageCount() const {
    return static_cast<int>(m_pages.size());
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<std::size_t>(nPage)]
                                                : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    return GetPage(GetActiveIndex());
}

int CPropertySheet::GetActiveIndex() const {
    return m_hWnd ? m_nActive : static_cast<int>(m_psh.nStartPage);
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_pages[static_cast<std::size_t>(i)] == pPage) return i;
    return -1;
}

BOOL CPropertySheet::SetActivePage(int nPage) {
    if (nPage < 0 || nPage >= GetPageCount()) return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    return static_cast<BOOL>(SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(nPage), 0));
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) {
    return SetActivePage(GetPageIndex(pPage));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT) {
    m_strCaption = lpszText;
    if (m_hWnd) SetWindowText(lpszText);
}

void CPropertySheet::PressButton(int nButton) {
    SendMessage(PSM_PRESSBUTTON, static_cast<WPARAM>(nButton), 0);
}

LRESULT CPropertySheet::NotifyPage(CPropertyPage* pPage, UINT code) {
    SheetNotify notify{{m_hWnd, 0, code},
                       code == PSN_KILLACTIVE || code == PSN_QUERYCANCEL ? 1 : 0};
    if (!pPage || !pPage->m_hWnd) return notify.result;
    ::SendMessageA(pPage->m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
    return notify.result;
}

BOOL CPropertySheet::ChangePage(int nPage) {
    if (nPage < 0 || nPage >= GetPageCount()) return FALSE;
    if (nPage == m_nActive) return TRUE;
    CPropertyPage* current = GetPage(m_nActive);
    if (current && current->m_hWnd && NotifyPage(current, PSN_KILLACTIVE) != 0) return FALSE;
    return ActivatePage(nPage);
}

BOOL CPropertySheet::ActivatePage(int nPage) {
    CPropertyPage* page = GetPage(nPage);
    if (!page || !m_hWnd) return FALSE;
    if (!page->m_hWnd) {
        page->m_pSheet = this;
        if (!page->CreateFromTemplate(page->m_nIDTemplate, m_hWnd, TRUE)) return FALSE;
        if (QWidget* w = AfxWidget(page)) w->move(m_pImpl->pageRect.topLeft());
    }
    CPropertyPage* previous = GetPage(m_nActive);
    m_nActive = nPage;
    if (m_pImpl->tabBar) m_pImpl->tabBar->Apply(nPage);
    NotifyPage(page, PSN_SETACTIVE);
    if (page->m_hWnd) {
        if (QWidget* w = AfxWidget(page)) {
            w->raise();
            w->show();
        }
    }
    if (previous && previous != page && previous->m_hWnd) previous->ShowWindow(SW_HIDE);
    return TRUE;
}

void CPropertySheet::PressOk() {
    CPropertyPage* current = GetPage(m_nActive);
    if (current && current->m_hWnd && NotifyPage(current, PSN_KILLACTIVE) != 0) return;
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* page = GetPage(i);
        if (page->m_hWnd && NotifyPage(page, PSN_APPLY) == PSNRET_INVALID) {
            ActivatePage(i);
            return;
        }
    }
    EndModalLoop(IDOK);
}

void CPropertySheet::PressCancel(BOOL bAsk) {
    CPropertyPage* current = GetPage(m_nActive);
    if (bAsk && current && current->m_hWnd && NotifyPage(current, PSN_QUERYCANCEL) != 0) return;
    for (int i = 0; i < GetPageCount(); ++i)
        if (GetPage(i)->m_hWnd) NotifyPage(GetPage(i), PSN_RESET);
    EndModalLoop(IDCANCEL);
}

void CPropertySheet::EndDialog(int nEndID) {
    EndModalLoop(nEndID);
    for (int i = 0; i < GetPageCount(); ++i)
        if (GetPage(i)->m_hWnd) NotifyPage(GetPage(i), PSN_RESET);
}

BOOL CPropertySheet::CreateSheetWindow() {
    QWidget* owner = AfxOwnerWidget(m_pParentWnd);
    platform::win::EnsureApplication();
    // The sheet takes the font of its first page; pages are as large as the largest.
    QFont font;
    QSize pageSize(0, 0);
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        const platform::res::DialogTemplate* t =
            platform::res::FindDialog(m_pages[i]->m_nIDTemplate);
        if (!t) continue;
        QFont f = AfxTemplateFont(*t);
        if (i == 0) font = f;
        QSize base = AfxDialogBaseUnits(f);
        pageSize = pageSize.expandedTo(
            QSize(MulDiv(t->cx, base.width(), 4), MulDiv(t->cy, base.height(), 8)));
    }
    QSize base = AfxDialogBaseUnits(font);
    auto px = [&](int x) { return MulDiv(x, base.width(), 4); };
    auto py = [&](int y) { return MulDiv(y, base.height(), 8); };

    auto* w = new AfxDialogWidget(owner);
    w->setFont(font);
    w->setWindowTitle(AfxQString(m_strCaption));
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    platform::win::ApplyTopLevelStyle(w, style);
    HWND h = platform::win::CreateWindowHandle(w, "#32770", 0, style);
    if (!Attach(h)) {
        delete w;
        return FALSE;
    }

    int margin = px(7);
    auto* tabs = new VetoTabBar(
        w, [h](int index) { ::SendMessageA(h, PSM_SETCURSEL, static_cast<WPARAM>(index), 0); });
    for (CPropertyPage* page : m_pages) tabs->AddTab(AfxQString(page->GetTabCaption()));
    int tabHeight = tabs->sizeHint().height();
    int pad = px(4);
    QRect frameRect(margin, margin + tabHeight, pageSize.width() + 2 * pad,
                    pageSize.height() + 2 * pad);
    tabs->setGeometry(margin, margin, frameRect.width(), tabHeight);
    auto* frame = new QFrame(w);
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    frame->setGeometry(frameRect);
    frame->lower();
    m_pImpl->tabBar = tabs;
    m_pImpl->frame = frame;
    m_pImpl->pageRect = QRect(frameRect.topLeft() + QPoint(pad, pad), pageSize);

    int buttonWidth = px(50), buttonHeight = py(14), gap = px(4);
    int buttonTop = frameRect.bottom() + 1 + py(7);
    int right = frameRect.right() + 1;
    ::CreateWindowExA(0, "BUTTON", "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                      right - buttonWidth, buttonTop, buttonWidth, buttonHeight, h,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)), nullptr, nullptr);
    ::CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                      right - 2 * buttonWidth - gap, buttonTop, buttonWidth, buttonHeight, h,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), nullptr, nullptr);
    w->resize(frameRect.right() + 1 + margin, buttonTop + buttonHeight + py(7));

    // Ctrl+Tab and Ctrl+PgDn move on, Ctrl+Shift+Tab and Ctrl+PgUp back.
    auto step = [this, h](int delta) {
        int n = GetPageCount();
        if (n > 0 && m_nActive >= 0)
            ::SendMessageA(h, PSM_SETCURSEL, static_cast<WPARAM>((m_nActive + delta + n) % n), 0);
    };
    for (QKeySequence keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
        QObject::connect(new QShortcut(keys, w), &QShortcut::activated, w, [step] { step(1); });
    for (QKeySequence keys : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                              QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        QObject::connect(new QShortcut(keys, w), &QShortcut::activated, w, [step] { step(-1); });
    return TRUE;
}

INT_PTR CPropertySheet::DoModal() {
    if (m_hWnd) return -1;
    m_nModalResult = -1;
    m_nActive = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (!CreateSheetWindow()) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        return -1;
    }
    SendMessage(WM_INITDIALOG, 0, 0);
    AfxRunModalWindow(this);
    m_nFlags &= ~WF_CONTINUEMODAL;
    m_nActive = -1;
    return m_nModalResult;
}

BOOL CPropertySheet::OnInitDialog() {
    int start = static_cast<int>(m_psh.nStartPage);
    if (start < 0 || start >= GetPageCount()) start = 0;
    ActivatePage(start);
    return TRUE;
}

BOOL CPropertySheet::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_INITDIALOG) {
        BOOL r = OnInitDialog();
        if (pResult) *pResult = r;
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

LRESULT CPropertySheet::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case PSM_SETCURSEL:
            return ChangePage(static_cast<int>(static_cast<INT_PTR>(wParam)));
        case PSM_PRESSBUTTON:
            if (wParam == PSBTN_OK) PressOk();
            if (wParam == PSBTN_CANCEL) PressCancel(TRUE);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) PressOk();
            if (LOWORD(wParam) == IDCANCEL) PressCancel(TRUE);
            return 0;
        case WM_CLOSE:
            if (GetStyle() & WS_SYSMENU) {
                HWND cancel = ::GetDlgItem(m_hWnd, IDCANCEL);
                if (!cancel || ::IsWindowEnabled(cancel)) PressCancel(TRUE);
            }
            return 0;
        default:
            return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

BOOL CPropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return AfxRouteCommandToApp(nID, nCode, pExtra, pHandlerInfo);
}
