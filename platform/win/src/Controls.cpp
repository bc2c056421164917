// CreateWindowExA: the control classes as Qt widgets with the platform's
// styles, sending their notifications to the parent as WM_COMMAND.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Handles.h"
#include "WinBase.h"
#include "WindowHandle.h"

using namespace platform::win;

namespace {

constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_3STATE = 0x0005;
constexpr DWORD BS_AUTO3STATE = 0x0006;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;

void Notify(HWND control, WORD code) {
    HWND parent = GetParent(control);
    if (parent)
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(control->id), code),
                     reinterpret_cast<LPARAM>(control));
}

// Connects a Qt signal to a notification of the control, for as long as it lives.
template <typename Sender, typename Signal>
void Wire(Sender* sender, Signal signal, HWND h, WORD code) {
    std::uint64_t serial = h->serial;
    QObject::connect(sender, signal, sender, [h, serial, code] {
        if (IsLiveHandle(h, serial)) Notify(h, code);
    });
}

unsigned IconIdFromText(const char* text) {
    if (!text) return 0;
    if (*text == '#') ++text;
    return static_cast<unsigned>(std::strtoul(text, nullptr, 10));
}

QWidget* MakeButton(DWORD style, const QString& text, QWidget* parent) {
    switch (style & BS_TYPEMASK) {
        case BS_GROUPBOX: {
            auto* g = new QGroupBox(text, parent);
            g->setAttribute(Qt::WA_TransparentForMouseEvents);
            return g;
        }
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return new QCheckBox(text, parent);
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return new QRadioButton(text, parent);
        default: {
            auto* b = new QPushButton(text, parent);
            b->setIcon(QIcon());
            if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) b->setDefault(true);
            return b;
        }
    }
}

QWidget* MakeStatic(DWORD style, DWORD exStyle, const char* text, QWidget* parent) {
    auto* label = new QLabel(parent);
    DWORD type = style & SS_TYPEMASK;
    if (type == SS_ICON) {
        if (HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(IconIdFromText(text)))) {
            label->setPixmap(QPixmap::fromImage(icon->image));
            DestroyIcon(icon);
        }
        return label;
    }
    label->setTextFormat(Qt::PlainText);
    label->setText(QString::fromLocal8Bit(text ? text : ""));
    Qt::Alignment align = Qt::AlignTop;
    align |=
        type == SS_CENTER ? Qt::AlignHCenter : (type == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft);
    label->setAlignment(align);
    label->setWordWrap(type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT);
    if ((style & SS_SUNKEN) || (exStyle & WS_EX_STATICEDGE)) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
    }
    return label;
}

QWidget* MakeEdit(DWORD style, DWORD exStyle, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    if (style & ES_PASSWORD) edit->setEchoMode(QLineEdit::Password);
    edit->setReadOnly(style & ES_READONLY);
    Qt::Alignment align = Qt::AlignVCenter;
    align |= (style & ES_RIGHT) ? Qt::AlignRight
                                : ((style & ES_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft);
    edit->setAlignment(align);
    edit->setFrame((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE));
    return edit;
}

QWidget* MakeCombo(DWORD style, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    DWORD kind = style & 0x3;
    combo->setEditable(kind == CBS_DROPDOWN || kind == CBS_SIMPLE);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

std::string Upper(const char* s) {
    std::string r = s ? s : "";
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

}  // namespace

HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int x,
                     int y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE,
                     LPVOID) {
    QWidget* parent = hWndParent ? WidgetFromHandle(hWndParent) : nullptr;
    bool child = (dwStyle & WS_CHILD) != 0;
    if ((child && !parent) || (hWndParent && !parent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    EnsureApplication();
    std::string cls = Upper(lpClassName);
    QString text = QString::fromLocal8Bit(lpWindowName ? lpWindowName : "");
    int id = child ? static_cast<int>(reinterpret_cast<INT_PTR>(hMenu)) : 0;
    QWidget* w = nullptr;
    if (child && cls == "BUTTON") {
        w = MakeButton(dwStyle, text, parent);
    } else if (child && cls == "STATIC") {
        w = MakeStatic(dwStyle, dwExStyle, lpWindowName, parent);
    } else if (child && cls == "EDIT") {
        w = MakeEdit(dwStyle, dwExStyle, text, parent);
    } else if (child && cls == "COMBOBOX") {
        w = MakeCombo(dwStyle, parent);
    } else {
        w = new QWidget(parent, child ? Qt::Widget : Qt::Window);
        if (!child) w->setWindowTitle(text);
    }
    HWND h = CreateWindowHandle(w, cls.c_str(), id, dwStyle, dwExStyle);
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        Wire(b, &QAbstractButton::clicked, h, BN_CLICKED);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        Wire(c, &QComboBox::activated, h, CBN_SELCHANGE);
        if (c->isEditable()) Wire(c, &QComboBox::editTextChanged, h, CBN_EDITCHANGE);
    }
    if (auto* e = qobject_cast<QLineEdit*>(w)) Wire(e, &QLineEdit::textChanged, h, EN_CHANGE);

    int height = nHeight;
    if (qobject_cast<QComboBox*>(w)) height = w->sizeHint().height();  // nHeight is the list's
    if ((dwStyle & SS_TYPEMASK) == SS_ICON && qobject_cast<QLabel*>(w)) {
        QSize icon = static_cast<QLabel*>(w)->pixmap().size();
        if (!icon.isEmpty()) {
            nWidth = icon.width();
            height = icon.height();
        }
    }
    if (child) {
        w->setGeometry(x, y, nWidth, height);
    } else if (nWidth > 0 && height > 0) {
        w->move(x, y);
        w->resize(nWidth, height);
    }
    if (w->focusPolicy() != Qt::NoFocus && !qobject_cast<QLabel*>(w) &&
        !qobject_cast<QGroupBox*>(w))
        w->setFocusPolicy((dwStyle & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    if (dwStyle & WS_DISABLED) w->setEnabled(false);
    if (qobject_cast<QGroupBox*>(w)) w->lower();  // drawn behind the controls it frames
    if (child)
        w->setVisible((dwStyle & WS_VISIBLE) != 0);
    else if (dwStyle & WS_VISIBLE)
        w->show();
    return h;
}
