// The desktop on real Qt widgets.

#include "QtDesktop.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <map>
#include <utility>

#include "Handles.h"
#include "HelpWindow.h"
#include "ShellApi.h"
#include "WindowHandle.h"

#if defined(__SANITIZE_ADDRESS__)
// The notification area talks D-Bus, whose library keeps allocations to the
// end of the process; a sanitized build must not call that a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}
#endif

namespace platform::qt {
namespace {

QString FromLocal(const std::string& s) {
    return QString::fromLocal8Bit(s.c_str());
}

// The top-level widget of a window handle, as the parent of a dialog.
QWidget* OwnerWidget(HWND owner) {
    if (!owner || !owner->widget) return nullptr;
    return owner->widget->window();
}

QMessageBox::Icon IconFor(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONHAND:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONASTERISK:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

struct MessageBoxButton {
    const char* text;
    int id;
    QMessageBox::ButtonRole role;
};

std::vector<MessageBoxButton> ButtonsFor(UINT type) {
    const MessageBoxButton ok{"OK", IDOK, QMessageBox::AcceptRole};
    const MessageBoxButton cancel{"Cancel", IDCANCEL, QMessageBox::RejectRole};
    const MessageBoxButton yes{"&Yes", IDYES, QMessageBox::YesRole};
    const MessageBoxButton no{"&No", IDNO, QMessageBox::NoRole};
    const MessageBoxButton retry{"&Retry", IDRETRY, QMessageBox::AcceptRole};
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {ok, cancel};
        case MB_ABORTRETRYIGNORE:
            return {{"&Abort", IDABORT, QMessageBox::RejectRole},
                    retry,
                    {"&Ignore", IDIGNORE, QMessageBox::AcceptRole}};
        case MB_YESNOCANCEL:
            return {yes, no, cancel};
        case MB_YESNO:
            return {yes, no};
        case MB_RETRYCANCEL:
            return {retry, cancel};
        default:
            return {ok};
    }
}

QIcon ToIcon(HICON icon) {
    return icon ? QIcon(QPixmap::fromImage(icon->image)) : QIcon();
}

class QtDesktop : public Desktop {
public:
    int MessageBox(const MessageBoxRequest& r) override {
        EnsureApplication();
        QMessageBox box(OwnerWidget(r.owner));
        box.setWindowTitle(FromLocal(r.caption));
        box.setText(FromLocal(r.text));
        box.setTextFormat(Qt::PlainText);
        box.setIcon(IconFor(r.type));
        // Buttons with plain text (no stock icons), each mapped to its result.
        std::vector<std::pair<QPushButton*, int>> buttons;
        for (const MessageBoxButton& button : ButtonsFor(r.type))
            buttons.emplace_back(box.addButton(QString::fromLatin1(button.text), button.role),
                                 button.id);
        std::size_t def = (r.type & MB_DEFMASK) >> 8;
        if (def >= buttons.size()) def = 0;
        box.setDefaultButton(buttons[def].first);
        for (auto& [button, id] : buttons)
            if (id == IDCANCEL || buttons.size() == 1) box.setEscapeButton(button);
        box.exec();
        for (auto& [button, id] : buttons)
            if (box.clickedButton() == button) return id;
        return buttons.size() == 1 ? IDOK : IDCANCEL;
    }

    UINT TrackPopupMenu(const PopupMenuRequest& r) override {
        EnsureApplication();
        QMenu menu;
        Fill(menu, r.items);
        QAction* chosen = menu.exec(QPoint(r.point.x, r.point.y));
        return chosen ? chosen->data().toUInt() : 0;
    }

    std::optional<std::string> FileDialog(const FileDialogRequest& r) override {
        EnsureApplication();
        QFileDialog dialog(OwnerWidget(r.owner), FromLocal(r.title), FromLocal(r.initialDirectory));
        dialog.setAcceptMode(r.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(r.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        QStringList filters;
        for (const FileFilter& f : r.filters) {
            QString name = FromLocal(f.name);
            QString patterns = FromLocal(f.pattern).replace(';', ' ');
            // Qt reads the patterns from the parentheses at the end of the name.
            if (!name.endsWith("(" + patterns + ")")) name += " (" + patterns + ")";
            filters << name;
        }
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            int index = r.filterIndex >= 1 && r.filterIndex <= filters.size() ? r.filterIndex : 1;
            dialog.selectNameFilter(filters[index - 1]);
        }
        if (!r.defaultExtension.empty()) dialog.setDefaultSuffix(FromLocal(r.defaultExtension));
        if (!(r.flags & 0x00000002 /* OFN_OVERWRITEPROMPT */))
            dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        if (!r.initialFile.empty() && r.initialFile.find_first_of("*?") == std::string::npos)
            dialog.selectFile(FromLocal(r.initialFile));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().front().toLocal8Bit().toStdString();
    }

    bool TrayAdd(const TrayIconRequest& r) override {
        EnsureApplication();
        if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
        auto key = std::make_pair(r.owner, r.id);
        if (m_tray.count(key)) return false;
        auto entry = std::make_unique<TrayEntry>();
        entry->icon = std::make_unique<QSystemTrayIcon>();
        QObject::connect(entry->icon.get(), &QSystemTrayIcon::activated,
                         [e = entry.get()](QSystemTrayIcon::ActivationReason reason) {
                             UINT message = 0;
                             switch (reason) {
                                 case QSystemTrayIcon::Context:
                                     message = WM_RBUTTONUP;
                                     break;
                                 case QSystemTrayIcon::DoubleClick:
                                     message = WM_LBUTTONDBLCLK;
                                     break;
                                 case QSystemTrayIcon::Trigger:
                                     message = WM_LBUTTONUP;
                                     break;
                                 case QSystemTrayIcon::MiddleClick:
                                     message = WM_MBUTTONUP;
                                     break;
                                 default:
                                     break;
                             }
                             if (message && e->notify) e->notify(message);
                         });
        Apply(*entry, r);
        entry->icon->show();
        m_tray[key] = std::move(entry);
        return true;
    }

    bool TrayModify(const TrayIconRequest& r) override {
        auto it = m_tray.find(std::make_pair(r.owner, r.id));
        if (it == m_tray.end()) return false;
        Apply(*it->second, r);
        return true;
    }

    bool TrayDelete(HWND owner, UINT id) override {
        return m_tray.erase(std::make_pair(owner, id)) > 0;
    }

    QWidget* ShowHelp(const HelpRequest& r) override {
        EnsureApplication();
        auto file = std::make_unique<ChmFile>(r.file);
        if (!file->IsOpen()) return nullptr;
        QString type = FromLocal(r.windowType);
        if (type.isEmpty()) type = QFileInfo(FromLocal(r.file)).completeBaseName();
        // A window type has one window: a second request reuses it.
        QPointer<HelpWindow>& window = m_help[type];
        if (window) window->close();
        window = new HelpWindow(std::move(file), type);
        window->ShowTopic(FromLocal(r.topic));
        window->show();
        if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
            window->raise();
            window->activateWindow();
        }
        return window;
    }

    POINT CursorPos() override {
        EnsureApplication();
        QPoint p = QCursor::pos();
        return POINT{p.x(), p.y()};
    }

    void BeginWaitCursor() override {
        EnsureApplication();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_waitCount;
    }

    void EndWaitCursor() override {
        if (m_waitCount == 0) return;
        --m_waitCount;
        QApplication::restoreOverrideCursor();
    }

private:
    struct TrayEntry {
        std::unique_ptr<QSystemTrayIcon> icon;
        std::function<void(UINT)> notify;
    };

    static void Apply(TrayEntry& e, const TrayIconRequest& r) {
        if (r.flags & NIF_ICON) e.icon->setIcon(ToIcon(r.icon));
        if (r.flags & NIF_TIP) e.icon->setToolTip(FromLocal(r.tip));
        if (r.flags & NIF_MESSAGE) e.notify = r.notify;
    }

    static void Fill(QMenu& menu, const std::vector<MenuEntry>& items) {
        for (const MenuEntry& item : items) {
            if (item.separator) {
                menu.addSeparator();
                continue;
            }
            QString text = FromLocal(item.text);
            QAction* action;
            if (!item.children.empty()) {
                QMenu* sub = menu.addMenu(text);
                Fill(*sub, item.children);
                action = sub->menuAction();
            } else {
                action = menu.addAction(text);
                action->setData(item.id);
                action->setCheckable(item.checked);
                action->setChecked(item.checked);
            }
            action->setEnabled(item.enabled);
            if (item.isDefault) {
                QFont bold = action->font();
                bold.setBold(true);
                action->setFont(bold);
                menu.setDefaultAction(action);
            }
        }
    }

    std::map<std::pair<HWND, UINT>, std::unique_ptr<TrayEntry>> m_tray;
    std::map<QString, QPointer<HelpWindow>> m_help;
    int m_waitCount = 0;
};

}  // namespace

std::unique_ptr<Desktop> CreateQtDesktop() {
    return std::make_unique<QtDesktop>();
}

void EnsureApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "TARNEX";
    static char* argv[] = {name, nullptr};
    auto* app = new QApplication(argc, argv);  // lives to the end of the process
    app->setQuitOnLastWindowClosed(false);
}

}  // namespace platform::qt
