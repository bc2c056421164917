// The calls that go through the desktop: message box, cursor position,
// notification-area icon and the help viewer.

#include <QApplication>
#include <string>

#include "Desktop.h"
#include "Handles.h"
#include "HtmlHelp.h"
#include "ShellApi.h"
#include "WinBase.h"
#include "WindowHandle.h"

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    platform::MessageBoxRequest request;
    request.owner = IsWindow(hWnd) ? hWnd : nullptr;
    request.text = lpText ? lpText : "";
    request.caption = lpCaption ? lpCaption : "Error";
    request.type = uType;
    return platform::GetDesktop().MessageBox(request);
}

BOOL MessageBeep(UINT) {
    if (qApp) QApplication::beep();
    return TRUE;
}

BOOL GetCursorPos(LPPOINT lpPoint) {
    if (!lpPoint) return FALSE;
    *lpPoint = platform::GetDesktop().CursorPos();
    return TRUE;
}

BOOL Shell_NotifyIconA(DWORD dwMessage, PNOTIFYICONDATAA data) {
    if (!data || data->cbSize < sizeof(NOTIFYICONDATAA) - sizeof(data->szTip)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    platform::Desktop& desktop = platform::GetDesktop();
    if (dwMessage == NIM_DELETE) return desktop.TrayDelete(data->hWnd, data->uID) ? TRUE : FALSE;
    platform::TrayIconRequest request;
    request.owner = data->hWnd;
    request.id = data->uID;
    request.flags = data->uFlags;
    request.callbackMessage = (data->uFlags & NIF_MESSAGE) ? data->uCallbackMessage : 0;
    request.icon = (data->uFlags & NIF_ICON) ? data->hIcon : nullptr;
    if (data->uFlags & NIF_TIP)
        request.tip.assign(data->szTip, strnlen(data->szTip, sizeof(data->szTip)));
    if ((data->uFlags & NIF_MESSAGE) && IsWindow(data->hWnd)) {
        HWND owner = data->hWnd;
        std::uint64_t serial = owner->serial;
        UINT message = data->uCallbackMessage;
        UINT id = data->uID;
        request.notify = [owner, serial, message, id](UINT mouseMessage) {
            if (platform::win::IsLiveHandle(owner, serial))
                PostMessageA(owner, message, id, static_cast<LPARAM>(mouseMessage));
        };
    }
    bool ok = dwMessage == NIM_ADD      ? desktop.TrayAdd(request)
              : dwMessage == NIM_MODIFY ? desktop.TrayModify(request)
                                        : false;
    return ok ? TRUE : FALSE;
}

HWND HtmlHelpA(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData) {
    platform::HelpRequest request;
    request.caller = IsWindow(hwndCaller) ? hwndCaller : nullptr;
    request.command = uCommand;
    request.data = dwData;
    std::string location = pszFile ? pszFile : "";
    std::size_t gt = location.rfind('>');
    if (gt != std::string::npos) {
        request.windowType = location.substr(gt + 1);
        location.erase(gt);
    }
    std::size_t colons = location.find("::");
    if (colons != std::string::npos) {
        request.topic = location.substr(colons + 2);
        location.erase(colons);
    }
    request.file = location;
    QWidget* viewer = platform::GetDesktop().ShowHelp(request);
    return viewer ? platform::win::CreateWindowHandle(viewer, "HH Parent", 0, WS_OVERLAPPEDWINDOW)
                  : nullptr;
}
