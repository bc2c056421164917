// CWnd: message dispatch through message maps, the default report of
// exceptions that leave a handler, window functions, the modal loop, CMenu
// and dialog data exchange.

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <cerrno>
#include <cstdlib>
#include <exception>

#include "AfxApp.h"
#include "AfxFrame.h"
#include "AfxInternal.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)
IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

thread_local MSG t_currentMsg{};

// A wrapper for a window that has no CWnd of its own; lives with the window.
struct TemporaryWnd : platform::win::HandleAttachment {
    explicit TemporaryWnd(HWND h) { wnd.m_hWnd = h; }
    ~TemporaryWnd() override { wnd.m_hWnd = nullptr; }
    CWnd wnd;
};

// Asks the update handlers whether a command is enabled.
class CTestCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
    BOOL m_bEnabled = TRUE;
};

LRESULT ReportUnknown(const char* what) {
    CString text = "An unexpected error occurred";
    if (what && *what) {
        text += ":\n";
        text += what;
    } else {
        text += ".";
    }
    AfxMessageBox(text, MB_ICONERROR | MB_OK);
    return 0;
}

}  // namespace

LRESULT AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    auto* pWnd = static_cast<CWnd*>(hWnd->object);
    if (!pWnd) return DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    MSG saved = t_currentMsg;
    t_currentMsg = MSG{hWnd, nMsg, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    try {
        if (nMsg == WM_NCDESTROY)
            pWnd->OnNcDestroy();
        else
            result = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        CWinApp* app = AfxGetApp();
        if (app) {
            result = app->ProcessWndProcException(e, &t_currentMsg);
        } else {
            if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) e->ReportError(MB_ICONERROR);
            e->Delete();
        }
        if (nMsg == WM_CREATE) result = -1;
    } catch (const std::exception& e) {
        result = ReportUnknown(e.what());
        if (nMsg == WM_CREATE) result = -1;
    } catch (...) {
        result = ReportUnknown(nullptr);
        if (nMsg == WM_CREATE) result = -1;
    }
    t_currentMsg = saved;
    return result;
}

BOOL AfxCreateWindowFor(CWnd* pWnd, QWidget* widget, CREATESTRUCT& cs, const char* className) {
    HWND h = platform::win::CreateWindowHandle(widget, className, 0, static_cast<DWORD>(cs.style),
                                               cs.dwExStyle);
    if (!pWnd->Attach(h)) {
        delete widget;
        return FALSE;
    }
    if (cs.style & WS_CHILD) h->id = static_cast<int>(reinterpret_cast<INT_PTR>(cs.hMenu));
    if (SendMessageA(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(h);
        return FALSE;
    }
    return TRUE;
}

QWidget* AfxOwnerWidget(CWnd* pParent) {
    if (QWidget* w = AfxWidget(pParent)) return w->window();
    if (QWidget* w = AfxWidget(AfxGetMainWnd())) return w->window();
    return nullptr;
}

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_hWnd && !m_bTemporary && IsWindow(m_hWnd) && m_hWnd->object == this) DestroyWindow();
    if (m_hWnd && m_hWnd->object == this) Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    return IsWindow(hWnd) ? static_cast<CWnd*>(hWnd->object) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!IsWindow(hWnd)) return nullptr;
    if (hWnd->object) return static_cast<CWnd*>(hWnd->object);
    if (!hWnd->temporary) {
        auto temp = std::make_unique<TemporaryWnd>(hWnd);
        temp->wnd.m_bTemporary = TRUE;
        hWnd->temporary = std::move(temp);
    }
    return &static_cast<TemporaryWnd*>(hWnd->temporary.get())->wnd;
}

BOOL CWnd::Attach(HWND hWndNew) {
    if (!IsWindow(hWndNew) || hWndNew->object || m_hWnd) return FALSE;
    hWndNew->object = this;
    hWndNew->wndProc = &AfxWndProc;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    if (h && IsWindow(h) && h->object == this) {
        h->object = nullptr;
        h->wndProc = nullptr;
    }
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (!pParent) return FALSE;
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    return Attach(hWnd);
}
HWND CWnd::UnsubclassWindow() {
    return Detach();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) {
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    CREATESTRUCT cs{};
    cs.lpCreateParams = pContext;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID));
    cs.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = static_cast<LONG>(dwStyle);
    cs.lpszName = lpszWindowName;
    cs.lpszClass = lpszClassName ? lpszClassName : "AfxWnd";
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();  // as when creation fails later: views and frames delete themselves
        return FALSE;
    }
    QWidget* parent = AfxWidget(pParentWnd);
    bool child = (cs.style & WS_CHILD) != 0;
    if (child && !parent) return FALSE;
    platform::win::EnsureApplication();
    auto* widget = new QWidget(parent, child ? Qt::Widget : Qt::Window);
    widget->setGeometry(cs.x, cs.y, cs.cx, cs.cy);
    if (!child && cs.lpszName) widget->setWindowTitle(QString::fromLocal8Bit(cs.lpszName));
    widget->setVisible(false);
    if (!AfxCreateWindowFor(this, widget, cs, cs.lpszClass)) return FALSE;
    if (cs.style & WS_VISIBLE) ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    return ::ShowWindow(m_hWnd, nCmdShow);
}
BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}
BOOL CWnd::EnableWindow(BOOL bEnable) {
    return ::EnableWindow(m_hWnd, bEnable);
}
BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}
void CWnd::SetWindowText(LPCTSTR lpszString) {
    ::SetWindowTextA(m_hWnd, lpszString);
}
int CWnd::GetWindowText(LPTSTR buf, int nMaxCount) const {
    return ::GetWindowTextA(m_hWnd, buf, nMaxCount);
}
void CWnd::GetWindowText(CString& rString) const {
    rString = platform::win::WindowText(m_hWnd).c_str();
}
int CWnd::GetWindowTextLength() const {
    return ::GetWindowTextLengthA(m_hWnd);
}
DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}
DWORD CWnd::GetExStyle() const {
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE));
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT) {
    DWORD style = GetStyle();
    DWORD updated = (style & ~dwRemove) | dwAdd;
    if (style == updated) return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(updated));
    return TRUE;
}

CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}
int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}
CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetTopLevelParent() const {
    QWidget* w = AfxWidget(this);
    return w ? FromHandle(platform::win::HandleForWidgetOrAncestor(w->window())) : nullptr;
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) {
    ::SetDlgItemTextA(m_hWnd, nID, lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
    rString = platform::win::WindowText(::GetDlgItem(m_hWnd, nID)).c_str();
    return rString.GetLength();
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}
void CWnd::MoveWindow(LPCRECT r, BOOL bRepaint) {
    MoveWindow(r->left, r->top, r->right - r->left, r->bottom - r->top, bRepaint);
}
void CWnd::GetWindowRect(LPRECT r) const {
    ::GetWindowRect(m_hWnd, r);
}
void CWnd::GetClientRect(LPRECT r) const {
    ::GetClientRect(m_hWnd, r);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    QWidget* w = AfxWidget(this);
    if (!w) return;
    QWidget* owner = pAlternateOwner ? AfxWidget(pAlternateOwner) : w->parentWidget();
    if (owner) owner = owner->window();
    QRect area;
    if (owner && owner->isVisible() && !owner->isMinimized()) {
        area = owner->frameGeometry();
    } else {
        QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
        if (!screen) return;
        area = screen->availableGeometry();
    }
    QSize size = w->frameGeometry().size().expandedTo(w->size());
    QPoint topLeft(area.left() + (area.width() - size.width()) / 2,
                   area.top() + (area.height() - size.height()) / 2);
    if (w->isWindow()) {
        w->move(topLeft);
    } else {
        w->move(w->parentWidget()->mapFromGlobal(topLeft));
    }
}

BOOL CWnd::SetForegroundWindow() {
    return ::SetForegroundWindow(m_hWnd);
}
CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}
void CWnd::Invalidate(BOOL) {
    if (QWidget* w = AfxWidget(this)) w->update();
}
void CWnd::UpdateWindow() {
    if (QWidget* w = AfxWidget(this)) w->repaint();
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

int CWnd::RunModalLoop(DWORD) {
    m_nFlags |= WF_MODALLOOP;
    if (m_nFlags & WF_CONTINUEMODAL) {
        platform::win::EnsureApplication();
        if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            app->setQuitOnLastWindowClosed(false);
        ModalLoop modal;
        ModalLoop* outer = m_pModalLoop;
        m_pModalLoop = &modal;
        if (m_nFlags & WF_CONTINUEMODAL) modal.loop.exec(QEventLoop::DialogExec);
        m_pModalLoop = outer;
    }
    m_nFlags &= ~WF_MODALLOOP;
    return m_nModalResult;
}

BOOL CWnd::ContinueModal() {
    return (m_nFlags & WF_CONTINUEMODAL) ? TRUE : FALSE;
}

void CWnd::EndModalLoop(int nResult) {
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        if (m_pModalLoop) m_pModalLoop->loop.exit(0);
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        if (pResult) *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        if (!OnNotify(wParam, lParam, &result)) return FALSE;
        if (pResult) *pResult = result;
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* e = AfxFindMessageEntry(GetMessageMap(), message, 0, 0);
    if (!e) return FALSE;
    switch (e->nSig) {
        case AfxSig_lwl:
            result = (this->*e->pfn.pfn_lwl)(wParam, lParam);
            break;
        case AfxSig_is:
            result = (this->*e->pfn.pfn_is)(reinterpret_cast<LPCREATESTRUCT>(lParam));
            break;
        case AfxSig_vv:
            (this->*e->pfn.pfn_vv)();
            break;
        case AfxSig_vwWb:
            (this->*e->pfn.pfn_vwWb)(LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)),
                                     HIWORD(wParam));
            break;
        case AfxSig_bHELPINFO:
            result = (this->*e->pfn.pfn_bHELPINFO)(reinterpret_cast<HELPINFO*>(lParam));
            break;
        case AfxSig_vMwb: {
            CMenu menu;
            menu.m_hMenu = reinterpret_cast<HMENU>(wParam);
            menu.m_bOwnsMenu = FALSE;
            (this->*e->pfn.pfn_vMwb)(&menu, LOWORD(static_cast<DWORD_PTR>(lParam)),
                                     HIWORD(static_cast<DWORD_PTR>(lParam)));
            menu.m_hMenu = nullptr;
            break;
        }
        case AfxSig_vwl:
            (this->*e->pfn.pfn_vwl)(static_cast<UINT>(wParam), lParam);
            break;
        case AfxSig_vw:
            (this->*e->pfn.pfn_vw)(wParam);
            break;
        default:
            return FALSE;
    }
    if (pResult) *pResult = result;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    if (!hWndCtrl) {
        // A menu or accelerator command: make sure it has not become disabled.
        nCode = CN_COMMAND;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
        if (!state.m_bEnabled) return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& m = t_currentMsg;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

void CWnd::OnNcDestroy() {
    HWND h = m_hWnd;
    if (CWinApp* app = AfxGetApp()) {
        if (app->m_pMainWnd == this) {
            app->m_pMainWnd = nullptr;
            AfxEndRunLoop(0);
        }
    }
    if (m_nFlags & WF_CONTINUEMODAL) EndModalLoop(m_nModalResult);
    if (h && h->object == this) {
        h->object = nullptr;
        h->wndProc = nullptr;
    }
    m_hWnd = nullptr;
    PostNcDestroy();
}

void CWnd::PostNcDestroy() {}

int CWnd::OnCreate(LPCREATESTRUCT) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL) {
    Default();
}
BOOL CWnd::OnHelpInfo(HELPINFO*) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) {
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}

CFrameWnd* CWnd::GetParentFrame() const {
    for (CWnd* p = GetParent(); p; p = p->GetParent())
        if (p->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(p);
    return nullptr;
}

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, {}}};
    static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, &entries[0]};
    return &map;
}
const AFX_MSGMAP* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

// CMenu

CMenu::~CMenu() {
    if (m_bOwnsMenu) DestroyMenu();
}

BOOL CMenu::LoadMenu(UINT nIDResource) {
    return Attach(::LoadMenuA(nullptr, MAKEINTRESOURCEA(nIDResource)));
}
BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) {
    return Attach(::LoadMenuA(nullptr, lpszResourceName));
}
BOOL CMenu::CreatePopupMenu() {
    return Attach(::CreatePopupMenu());
}
BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (!hMenu || m_hMenu) return FALSE;
    m_hMenu = hMenu;
    m_bOwnsMenu = TRUE;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU h = m_hMenu;
    m_hMenu = nullptr;
    m_subMenus.clear();
    return h;
}

BOOL CMenu::DestroyMenu() {
    m_subMenus.clear();
    if (!m_hMenu) return FALSE;
    BOOL ok = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return ok;
}

CMenu* CMenu::GetSubMenu(int nPos) {
    HMENU sub = ::GetSubMenu(m_hMenu, nPos);
    if (!sub) return nullptr;
    for (auto& m : m_subMenus)
        if (m->m_hMenu == sub) return m.get();
    auto wrapper = std::make_unique<CMenu>();
    wrapper->m_hMenu = sub;
    wrapper->m_bOwnsMenu = FALSE;
    m_subMenus.push_back(std::move(wrapper));
    return m_subMenus.back().get();
}

UINT CMenu::GetMenuItemCount() const {
    return static_cast<UINT>(::GetMenuItemCount(m_hMenu));
}
UINT CMenu::GetMenuItemID(int nPos) const {
    return ::GetMenuItemID(m_hMenu, nPos);
}
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const {
    return ::GetMenuState(m_hMenu, nID, nFlags);
}
int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
    char buffer[1024];
    int n = ::GetMenuStringA(m_hMenu, nIDItem, buffer, sizeof(buffer), nFlags);
    rString = CString(buffer, n);
    return n;
}
UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}
UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
    return static_cast<UINT>(::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck));
}
BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos) {
    return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
}
BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, lpRect);
}

// Dialog data exchange

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!h) AfxThrowNotSupportedException();
    m_hWndLastControl = h;
    m_bEditLastControl = FALSE;
    return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND h = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl) ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

namespace {

void SetTextIfChanged(HWND h, const char* text) {
    if (platform::win::WindowText(h) != text) ::SetWindowTextA(h, text);
}

template <typename T>
void ExchangeNumber(CDataExchange* pDX, int nIDC, T& value, const char* format, const char* prompt,
                    bool (*parse)(const char*, T&)) {
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        std::string text = platform::win::WindowText(h);
        if (!parse(text.c_str(), value)) {
            AfxMessageBox(prompt, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
    } else {
        CString s;
        s.Format(format, value);
        SetTextIfChanged(h, s);
    }
}

template <typename T, typename Conv>
bool ParseWith(const char* text, T& out, Conv conv) {
    while (*text == ' ' || *text == '\t') ++text;
    if (!*text) return false;
    char* end = nullptr;
    errno = 0;
    auto v = conv(text, &end);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (errno != 0 || !end || *end) return false;
    out = static_cast<T>(v);
    return static_cast<decltype(v)>(out) == v;
}

bool ParseInt(const char* t, int& v) {
    return ParseWith(t, v, [](const char* s, char** e) { return std::strtol(s, e, 10); });
}
bool ParseLong(const char* t, long& v) {
    return ParseWith(t, v, [](const char* s, char** e) { return std::strtol(s, e, 10); });
}
bool ParseUInt(const char* t, UINT& v) {
    const char* p = t;
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '-') return false;
    return ParseWith(t, v, [](const char* s, char** e) { return std::strtoul(s, e, 10); });
}
bool ParseDouble(const char* t, double& v) {
    return ParseWith(t, v, [](const char* s, char** e) { return std::strtod(s, e); });
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = platform::win::WindowText(h).c_str();
    else
        SetTextIfChanged(h, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    ExchangeNumber(pDX, nIDC, value, "%d", "Please enter an integer.", &ParseInt);
}
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    ExchangeNumber(pDX, nIDC, value, "%u", "Please enter a positive integer.", &ParseUInt);
}
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
    ExchangeNumber(pDX, nIDC, value, "%ld", "Please enter an integer.", &ParseLong);
}
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
    ExchangeNumber(pDX, nIDC, value, "%.15g", "Please enter a number.", &ParseDouble);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(h, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(h, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(h, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(static_cast<INT_PTR>(index)), 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = platform::win::WindowText(h).c_str();
    } else if (::SendMessageA(h, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR) {
        ::SetWindowTextA(h, value);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd) return;
    pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd))
        AfxThrowNotSupportedException();
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString prompt;
            prompt.Format("Enter no more than %d characters.", nChars);
            AfxMessageBox(prompt, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
    } else if (pDX->m_hWndLastControl && pDX->m_bEditLastControl) {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString prompt;
        prompt.Format("Please enter an integer between %d and %d.", minVal, maxVal);
        AfxMessageBox(prompt, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}
