// Window handles over Qt widgets, the window functions, message sending and
// posting, and the default window procedure of the control classes.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <cstring>
#include <unordered_map>

#include "Handles.h"
#include "QtDesktop.h"
#include "WinBase.h"
#include "WindowHandle.h"

namespace platform::win {
namespace {

struct Registry {
    std::unordered_map<const QWidget*, HWND__*> byWidget;
    std::unordered_map<const HWND__*, std::uint64_t> live;
    std::uint64_t nextSerial = 1;
};

Registry& Reg() {
    static Registry* r = new Registry;  // lives to the end of the process
    return *r;
}

// Raises and activates a top-level window where the platform stacks windows.
void BringToFront(QWidget* w) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return;
    w->raise();
    w->activateWindow();
}

QString FromLocal(const char* s) {
    return QString::fromLocal8Bit(s ? s : "");
}
std::string ToLocal(const QString& s) {
    return s.toLocal8Bit().toStdString();
}

// Turns F1, close requests and activation of windows with handles into messages.
class HandleEventFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) return false;
        switch (event->type()) {
            case QEvent::KeyPress: {
                auto* key = static_cast<QKeyEvent*>(event);
                if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
                HWND h = HandleForWidgetOrAncestor(widget);
                if (!h) return false;
                QPoint pos = QCursor::pos();
                HELPINFO info{sizeof(HELPINFO), HELPINFO_WINDOW, h->id, h, 0, {pos.x(), pos.y()}};
                SendMessageA(h, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
                return true;
            }
            case QEvent::Close: {
                HWND h = HandleFromWidget(widget);
                if (!h || h->destroying || !widget->isWindow()) return false;
                event->ignore();
                SendMessageA(h, WM_CLOSE, 0, 0);
                return true;
            }
            case QEvent::WindowActivate:
            case QEvent::WindowDeactivate: {
                HWND h = HandleFromWidget(widget);
                if (!h || !widget->isWindow()) return false;
                WORD state = event->type() == QEvent::WindowActivate ? WA_ACTIVE : WA_INACTIVE;
                SendMessageA(h, WM_ACTIVATE, MAKEWPARAM(state, 0), 0);
                return false;
            }
            default:
                return false;
        }
    }
};

void InstallEventFilter() {
    static QPointer<QObject> filter;
    if (filter || !qApp) return;
    filter = new HandleEventFilter(qApp);
    qApp->installEventFilter(filter);
}

// Sends WM_NCDESTROY and forgets the handle.
void ReleaseHandle(HWND__* h) {
    Registry& r = Reg();
    if (!r.live.count(h)) return;
    h->destroying = true;
    if (h->wndProc) h->wndProc(h, WM_NCDESTROY, 0, 0);
    r.live.erase(h);
    if (h->widget) r.byWidget.erase(h->widget.data());
    for (auto it = r.byWidget.begin(); it != r.byWidget.end();)
        it = it->second == h ? r.byWidget.erase(it) : std::next(it);
    delete h;
}

// Windows under hWnd (all depths), in pre-order.
void CollectSubtree(QWidget* widget, std::vector<HWND>& out) {
    for (QObject* child : widget->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w) continue;
        if (HWND h = HandleFromWidget(w)) out.push_back(h);
        CollectSubtree(w, out);
    }
}

void CollectChildren(QWidget* widget, std::vector<HWND>& out) {
    for (QObject* child : widget->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w) continue;
        if (HWND h = HandleFromWidget(w))
            out.push_back(h);
        else
            CollectChildren(w, out);
    }
}

QWidget* Live(HWND h) {
    if (!h || !Reg().live.count(h)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return h->widget.data();
}

bool CompareNoCaseLess(const std::string& a, const std::string& b) {
    return QString::compare(FromLocal(a.c_str()), FromLocal(b.c_str()), Qt::CaseInsensitive) < 0;
}

int ComboFind(QComboBox* combo, int startAfter, const char* text, bool exact) {
    int n = combo->count();
    if (n == 0 || !text) return CB_ERR;
    QString wanted = FromLocal(text);
    int start = (startAfter < -1 || startAfter >= n) ? -1 : startAfter;
    for (int k = 1; k <= n; ++k) {
        int i = (start + k) % n;
        QString item = combo->itemText(i);
        bool match = exact ? item.compare(wanted, Qt::CaseInsensitive) == 0
                           : item.startsWith(wanted, Qt::CaseInsensitive);
        if (match) return i;
    }
    return CB_ERR;
}

// Changes the list without letting Qt select a line on its own.
template <typename F>
void KeepSelection(QComboBox* combo, F change) {
    QSignalBlocker block(combo);
    int before = combo->currentIndex();
    change(before);
    if (before < 0 && combo->currentIndex() != -1) combo->setCurrentIndex(-1);
}

LRESULT ComboProc(HWND h, QComboBox* combo, UINT msg, WPARAM wParam, LPARAM lParam) {
    const char* text = reinterpret_cast<const char*>(lParam);
    int n = combo->count();
    switch (msg) {
        case CB_ADDSTRING: {
            if (!text) return CB_ERR;
            int at = n;
            if (h->style & CBS_SORT) {
                at = 0;
                while (at < n && !CompareNoCaseLess(text, ToLocal(combo->itemText(at)))) ++at;
            }
            KeepSelection(combo, [&](int before) {
                combo->insertItem(at, FromLocal(text));
                if (before >= at) combo->setCurrentIndex(before + 1);
            });
            return at;
        }
        case CB_INSERTSTRING: {
            int at = static_cast<int>(wParam);
            if (at == -1) at = n;
            if (!text || at < 0 || at > n) return CB_ERR;
            KeepSelection(combo, [&](int before) {
                combo->insertItem(at, FromLocal(text));
                if (before >= at) combo->setCurrentIndex(before + 1);
            });
            return at;
        }
        case CB_DELETESTRING: {
            int at = static_cast<int>(wParam);
            if (at < 0 || at >= n) return CB_ERR;
            KeepSelection(combo, [&](int before) {
                combo->removeItem(at);
                if (before == at) combo->setCurrentIndex(-1);
            });
            return combo->count();
        }
        case CB_RESETCONTENT: {
            QSignalBlocker block(combo);
            combo->clear();
            return CB_OKAY;
        }
        case CB_GETCOUNT:
            return n;
        case CB_GETCURSEL:
            return combo->currentIndex() < 0 ? CB_ERR : combo->currentIndex();
        case CB_SETCURSEL: {
            int at = static_cast<int>(static_cast<INT_PTR>(wParam));
            QSignalBlocker block(combo);
            if (at < 0 || at >= n) {
                combo->setCurrentIndex(-1);
                return CB_ERR;
            }
            combo->setCurrentIndex(at);
            return at;
        }
        case CB_GETLBTEXTLEN: {
            int at = static_cast<int>(wParam);
            if (at < 0 || at >= n) return CB_ERR;
            return static_cast<LRESULT>(ToLocal(combo->itemText(at)).size());
        }
        case CB_GETLBTEXT: {
            int at = static_cast<int>(wParam);
            if (at < 0 || at >= n || !lParam) return CB_ERR;
            std::string s = ToLocal(combo->itemText(at));
            std::memcpy(reinterpret_cast<char*>(lParam), s.c_str(), s.size() + 1);
            return static_cast<LRESULT>(s.size());
        }
        case CB_FINDSTRING:
        case CB_FINDSTRINGEXACT:
            return ComboFind(combo, static_cast<int>(static_cast<INT_PTR>(wParam)), text,
                             msg == CB_FINDSTRINGEXACT);
        case CB_SELECTSTRING: {
            int at = ComboFind(combo, static_cast<int>(static_cast<INT_PTR>(wParam)), text, false);
            if (at != CB_ERR) {
                QSignalBlocker block(combo);
                combo->setCurrentIndex(at);
            }
            return at;
        }
        case CB_GETITEMDATA: {
            int at = static_cast<int>(wParam);
            if (at < 0 || at >= n) return CB_ERR;
            return static_cast<LRESULT>(combo->itemData(at).toULongLong());
        }
        case CB_SETITEMDATA: {
            int at = static_cast<int>(wParam);
            if (at < 0 || at >= n) return CB_ERR;
            combo->setItemData(at, QVariant::fromValue(static_cast<qulonglong>(lParam)));
            return CB_OKAY;
        }
        case CB_LIMITTEXT:
            return TRUE;
        default:
            return -2;  // not a combo message
    }
}

}  // namespace

HWND CreateWindowHandle(QWidget* widget, const char* className, int id, DWORD style,
                        DWORD exStyle) {
    if (!widget) return nullptr;
    if (HWND existing = HandleFromWidget(widget)) return existing;
    InstallEventFilter();
    Registry& r = Reg();
    auto* h = new HWND__;
    h->widget = widget;
    h->className = className ? className : "";
    h->id = id;
    h->style = style;
    h->exStyle = exStyle;
    h->serial = r.nextSerial++;
    r.byWidget[widget] = h;
    r.live[h] = h->serial;
    QObject::connect(widget, &QObject::destroyed, [h, serial = h->serial] {
        auto it = Reg().live.find(h);
        if (it != Reg().live.end() && it->second == serial) ReleaseHandle(h);
    });
    return h;
}

HWND HandleFromWidget(const QWidget* widget) {
    auto it = Reg().byWidget.find(widget);
    return it == Reg().byWidget.end() ? nullptr : it->second;
}

HWND HandleForWidgetOrAncestor(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (HWND h = HandleFromWidget(w)) return h;
    return nullptr;
}

QWidget* WidgetFromHandle(HWND hWnd) {
    return hWnd && Reg().live.count(hWnd) ? hWnd->widget.data() : nullptr;
}

bool IsLiveHandle(HWND hWnd, std::uint64_t serial) {
    auto it = Reg().live.find(hWnd);
    return it != Reg().live.end() && it->second == serial;
}

std::vector<HWND> ChildHandles(HWND hWnd) {
    std::vector<HWND> out;
    if (QWidget* w = WidgetFromHandle(hWnd)) CollectChildren(w, out);
    return out;
}

void ApplyTopLevelStyle(QWidget* widget, DWORD style) {
    if (!widget || !widget->isWindow()) return;
    Qt::WindowFlags flags = widget->windowFlags() & Qt::WindowType_Mask;
    flags |= Qt::CustomizeWindowHint;
    if (style & WS_CAPTION) flags |= Qt::WindowTitleHint;
    if (style & WS_SYSMENU) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
        if (style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
    }
    if (flags == widget->windowFlags()) return;
    bool visible = widget->isVisible();
    QPoint pos = widget->pos();
    widget->setWindowFlags(flags);
    widget->move(pos);
    if (visible) widget->show();
}

void EnsureApplication() {
    platform::qt::EnsureApplication();
}

std::string WindowText(HWND h) {
    QWidget* w = WidgetFromHandle(h);
    if (!w) return {};
    if (auto* e = qobject_cast<QLineEdit*>(w)) return ToLocal(e->text());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return ToLocal(b->text());
    if (auto* g = qobject_cast<QGroupBox*>(w)) return ToLocal(g->title());
    if (auto* l = qobject_cast<QLabel*>(w)) return ToLocal(l->text());
    if (auto* c = qobject_cast<QComboBox*>(w)) return ToLocal(c->currentText());
    return ToLocal(w->windowTitle());
}

void SetText(HWND h, const char* text) {
    QWidget* w = WidgetFromHandle(h);
    if (!w) return;
    QString t = FromLocal(text);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(t);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(t);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(t);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(t);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->isEditable()) c->setEditText(t);
    } else {
        w->setWindowTitle(t);
    }
}

}  // namespace platform::win

using namespace platform::win;

BOOL IsWindow(HWND hWnd) {
    return hWnd && Reg().live.count(hWnd) ? TRUE : FALSE;
}

LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (hWnd->wndProc) return hWnd->wndProc(hWnd, msg, wParam, lParam);
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

BOOL PostMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!hWnd) {
        if (msg == WM_QUIT) PostQuitMessage(static_cast<int>(wParam));
        return msg == WM_QUIT;
    }
    if (!IsWindow(hWnd) || !QCoreApplication::instance()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    std::uint64_t serial = hWnd->serial;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [hWnd, serial, msg, wParam, lParam] {
            if (IsLiveHandle(hWnd, serial)) SendMessageA(hWnd, msg, wParam, lParam);
        },
        Qt::QueuedConnection);
    return TRUE;
}

void PostQuitMessage(int nExitCode) {
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            app, [nExitCode] { QCoreApplication::exit(nExitCode); }, Qt::QueuedConnection);
}

LRESULT DefWindowProcA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    QWidget* w = Live(hWnd);
    if (!w) return 0;
    switch (msg) {
        case WM_SETTEXT:
            SetText(hWnd, reinterpret_cast<const char*>(lParam));
            return TRUE;
        case WM_GETTEXT: {
            auto* out = reinterpret_cast<char*>(lParam);
            if (!out || wParam == 0) return 0;
            std::string s = WindowText(hWnd);
            std::size_t n = std::min<std::size_t>(s.size(), wParam - 1);
            std::memcpy(out, s.data(), n);
            out[n] = '\0';
            return static_cast<LRESULT>(n);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(WindowText(hWnd).size());
        case WM_HELP:
            // A child passes help requests on to its parent.
            if (!w->isWindow())
                if (HWND parent = GetParent(hWnd))
                    return SendMessageA(parent, WM_HELP, wParam, lParam);
            return 0;
        case WM_CLOSE:
            DestroyWindow(hWnd);
            return 0;
        case BM_GETCHECK:
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                return b->isChecked() ? BST_CHECKED : 0;
            return 0;
        case BM_SETCHECK:
            if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setChecked(wParam == BST_CHECKED);
            return 0;
        case EM_SETSEL:
            if (auto* e = qobject_cast<QLineEdit*>(w)) {
                int start = static_cast<int>(static_cast<INT_PTR>(wParam));
                int end = static_cast<int>(lParam);
                if (start < 0)
                    e->deselect();
                else
                    e->setSelection(start, (end < 0 ? e->text().size() : end) - start);
            }
            return 0;
        case EM_LIMITTEXT:
            if (auto* e = qobject_cast<QLineEdit*>(w))
                e->setMaxLength(wParam == 0 ? 32767 : static_cast<int>(wParam));
            return 0;
        case EM_SETREADONLY:
            if (auto* e = qobject_cast<QLineEdit*>(w)) e->setReadOnly(wParam != 0);
            return TRUE;
        default:
            break;
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        LRESULT r = ComboProc(hWnd, combo, msg, wParam, lParam);
        if (r != -2) return r;
    }
    return 0;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
    QWidget* w = Live(hWnd);
    if (!w) return FALSE;
    BOOL wasVisible = w->isVisible() ? TRUE : FALSE;
    switch (nCmdShow) {
        case SW_HIDE:
            w->hide();
            break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
            w->showMinimized();
            break;
        case SW_SHOWMAXIMIZED:
            w->showMaximized();
            break;
        case SW_SHOWNA:
        case SW_SHOWNOACTIVATE:
            w->setAttribute(Qt::WA_ShowWithoutActivating, true);
            w->show();
            w->setAttribute(Qt::WA_ShowWithoutActivating, false);
            break;
        default:
            if (w->isWindow() && w->isMinimized())
                w->showNormal();
            else
                w->show();
            if (w->isWindow()) BringToFront(w);
            break;
    }
    return wasVisible;
}

BOOL IsWindowVisible(HWND hWnd) {
    QWidget* w = Live(hWnd);
    return w && w->isVisible() ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
    QWidget* w = Live(hWnd);
    if (!w) return FALSE;
    BOOL wasDisabled = w->isEnabled() ? FALSE : TRUE;
    w->setEnabled(bEnable != FALSE);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hWnd) {
    QWidget* w = Live(hWnd);
    return w && w->isEnabled() ? TRUE : FALSE;
}

BOOL DestroyWindow(HWND hWnd) {
    QWidget* w = Live(hWnd);
    if (!IsWindow(hWnd) || hWnd->destroying) return FALSE;
    std::vector<HWND> all{hWnd};
    if (w) CollectSubtree(w, all);
    std::vector<std::uint64_t> serials;
    for (HWND h : all) serials.push_back(h->serial);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (!IsLiveHandle(all[i], serials[i])) continue;
        all[i]->destroying = true;
        SendMessageA(all[i], WM_DESTROY, 0, 0);
    }
    for (std::size_t i = all.size(); i-- > 0;)
        if (IsLiveHandle(all[i], serials[i])) ReleaseHandle(all[i]);
    if (w) {
        w->hide();
        // Deleting a widget while one of its own events is being handled would
        // pull it from under Qt; inside an event loop, let Qt delete it.
        if (QThread::currentThread()->loopLevel() > 0)
            w->deleteLater();
        else
            delete w;
    }
    return TRUE;
}

HWND GetParent(HWND hWnd) {
    QWidget* w = Live(hWnd);
    return w ? HandleForWidgetOrAncestor(w->parentWidget()) : nullptr;
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem) {
    for (HWND h : ChildHandles(hDlg))
        if (h->id == nIDDlgItem) return h;
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
    return IsWindow(hWnd) ? hWnd->id : 0;
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    return IsWindow(hWnd) ? static_cast<BOOL>(SendMessageA(hWnd, WM_SETTEXT, 0,
                                                           reinterpret_cast<LPARAM>(lpString)))
                          : FALSE;
}

int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    if (!lpString || nMaxCount <= 0) return 0;
    lpString[0] = '\0';
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                         reinterpret_cast<LPARAM>(lpString)));
}

int GetWindowTextLengthA(HWND hWnd) {
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
    return SetWindowTextA(GetDlgItem(hDlg, nIDDlgItem), lpString);
}

UINT GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
    return static_cast<UINT>(GetWindowTextA(GetDlgItem(hDlg, nIDDlgItem), lpString, cchMax));
}

LONG GetWindowLongA(HWND hWnd, int nIndex) {
    QWidget* w = Live(hWnd);
    if (!w) return 0;
    switch (nIndex) {
        case GWL_STYLE: {
            DWORD style = hWnd->style & ~(WS_VISIBLE | WS_DISABLED);
            if (!w->isHidden()) style |= WS_VISIBLE;
            if (!w->isEnabled()) style |= WS_DISABLED;
            return static_cast<LONG>(style);
        }
        case GWL_EXSTYLE:
            return static_cast<LONG>(hWnd->exStyle);
        case GWL_ID:
            return hWnd->id;
        case GWLP_USERDATA:
            return static_cast<LONG>(hWnd->userData);
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
    }
}

LONG SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    QWidget* w = Live(hWnd);
    if (!w) return 0;
    LONG previous = GetWindowLongA(hWnd, nIndex);
    switch (nIndex) {
        case GWL_STYLE: {
            auto style = static_cast<DWORD>(dwNewLong);
            hWnd->style = style;
            if (w->isWindow()) ApplyTopLevelStyle(w, style);
            w->setEnabled(!(style & WS_DISABLED));
            w->setVisible((style & WS_VISIBLE) != 0);
            if (auto* e = qobject_cast<QLineEdit*>(w)) {
                e->setEchoMode(style & ES_PASSWORD ? QLineEdit::Password : QLineEdit::Normal);
                e->setReadOnly(style & ES_READONLY);
            }
            break;
        }
        case GWL_EXSTYLE:
            hWnd->exStyle = static_cast<DWORD>(dwNewLong);
            break;
        case GWL_ID:
            hWnd->id = dwNewLong;
            break;
        case GWLP_USERDATA:
            hWnd->userData = dwNewLong;
            break;
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
    }
    return previous;
}

BOOL SetForegroundWindow(HWND hWnd) {
    QWidget* w = Live(hWnd);
    if (!w) return FALSE;
    if (w->isVisible()) BringToFront(w->window());
    return TRUE;
}

HWND SetFocus(HWND hWnd) {
    HWND previous = GetFocus();
    if (QWidget* w = Live(hWnd)) w->setFocus(Qt::OtherFocusReason);
    return previous;
}

HWND GetFocus() {
    return qApp ? HandleForWidgetOrAncestor(QApplication::focusWidget()) : nullptr;
}

BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL) {
    QWidget* w = Live(hWnd);
    if (!w) return FALSE;
    w->move(x, y);
    w->resize(nWidth, nHeight);
    return TRUE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT r) {
    QWidget* w = Live(hWnd);
    if (!w || !r) return FALSE;
    QRect g = w->isWindow() ? w->frameGeometry() : QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    *r = RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT r) {
    QWidget* w = Live(hWnd);
    if (!w || !r) return FALSE;
    *r = RECT{0, 0, w->width(), w->height()};
    return TRUE;
}

BOOL EndDialog(HWND hDlg, INT_PTR) {
    QWidget* w = Live(hDlg);
    if (!w) return FALSE;
    w->hide();
    return TRUE;
}
