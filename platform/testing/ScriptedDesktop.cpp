#include "ScriptedDesktop.h"

#include <QTimer>

#include "Handles.h"
#include "WinUser.h"

namespace platform::testing {

ScriptedDesktop::ScriptedDesktop() {
    SetDesktop(this);
}
ScriptedDesktop::~ScriptedDesktop() {
    SetDesktop(nullptr);
}

int ScriptedDesktop::MessageBox(const MessageBoxRequest& request) {
    MessageBoxCall call{request.owner, request.text, request.caption, request.type, 0};
    if (onMessageBox) onMessageBox(call);
    if (!m_boxAnswers.empty()) {
        call.answer = m_boxAnswers.front();
        m_boxAnswers.pop_front();
    } else {
        switch (request.type & MB_TYPEMASK) {
            case MB_ABORTRETRYIGNORE:
                call.answer = IDABORT;
                break;
            case MB_YESNO:
            case MB_YESNOCANCEL:
                call.answer = IDYES;
                break;
            case MB_RETRYCANCEL:
                call.answer = IDRETRY;
                break;
            default:
                call.answer = IDOK;
                break;
        }
    }
    messageBoxes.push_back(call);
    return call.answer;
}

UINT ScriptedDesktop::TrackPopupMenu(const PopupMenuRequest& request) {
    MenuCall call{request.owner, request.point, request.flags, request.items, 0};
    if (onMenu) onMenu(call);
    if (!m_menuAnswers.empty()) {
        call.answer = m_menuAnswers.front();
        m_menuAnswers.pop_front();
    }
    menus.push_back(call);
    return call.answer;
}

std::optional<std::string> ScriptedDesktop::FileDialog(const FileDialogRequest& request) {
    FileDialogCall call{request, std::nullopt};
    if (!m_fileAnswers.empty()) {
        call.answer = m_fileAnswers.front();
        m_fileAnswers.pop_front();
    }
    fileDialogs.push_back(call);
    return call.answer;
}

TrayCall ScriptedDesktop::Record(TrayCall::Operation op, const TrayIconRequest& r, bool result) {
    TrayCall call;
    call.operation = op;
    call.owner = r.owner;
    call.id = r.id;
    call.flags = r.flags;
    call.callbackMessage = r.callbackMessage;
    call.tip = r.tip;
    call.iconId = r.icon ? r.icon->resourceId : 0;
    call.result = result;
    trayCalls.push_back(call);
    return call;
}

bool ScriptedDesktop::TrayAdd(const TrayIconRequest& r) {
    auto key = std::make_pair(r.owner, r.id);
    bool ok = m_trayAvailable && !m_icons.count(key);
    TrayCall call = Record(TrayCall::Add, r, ok);
    if (ok) m_icons[key] = Icon{call, r.notify};
    return ok;
}

bool ScriptedDesktop::TrayModify(const TrayIconRequest& r) {
    auto it = m_icons.find(std::make_pair(r.owner, r.id));
    bool ok = it != m_icons.end();
    TrayCall call = Record(TrayCall::Modify, r, ok);
    if (!ok) return false;
    Icon& icon = it->second;
    if (r.flags & 0x2 /* NIF_ICON */) icon.state.iconId = call.iconId;
    if (r.flags & 0x4 /* NIF_TIP */) icon.state.tip = call.tip;
    if (r.flags & 0x1 /* NIF_MESSAGE */) {
        icon.state.callbackMessage = call.callbackMessage;
        icon.notify = r.notify;
    }
    return true;
}

bool ScriptedDesktop::TrayDelete(HWND owner, UINT id) {
    bool ok = m_icons.erase(std::make_pair(owner, id)) > 0;
    TrayCall call;
    call.operation = TrayCall::Delete;
    call.owner = owner;
    call.id = id;
    call.result = ok;
    trayCalls.push_back(call);
    return ok;
}

QWidget* ScriptedDesktop::ShowHelp(const HelpRequest& r) {
    helpRequests.push_back(HelpCall{r.caller, r.file, r.topic, r.windowType, r.command});
    return nullptr;
}

bool ScriptedDesktop::FireTray(UINT id, UINT mouseMessage) {
    for (auto& [key, icon] : m_icons)
        if (key.second == id) {
            if (icon.notify) icon.notify(mouseMessage);
            return true;
        }
    return false;
}

bool ScriptedDesktop::HasTrayIcon(UINT id) const {
    return CurrentTrayIcon(id) != nullptr;
}

const TrayCall* ScriptedDesktop::CurrentTrayIcon(UINT id) const {
    for (const auto& [key, icon] : m_icons)
        if (key.second == id) return &icon.state;
    return nullptr;
}

void WhenIdle(std::function<void()> work) {
    QTimer::singleShot(0, std::move(work));
}

}  // namespace platform::testing
