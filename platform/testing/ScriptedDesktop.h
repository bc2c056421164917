#pragma once

// A desktop for tests: records every call and answers from a script. While it
// lives it is the installed desktop. Windows and controls stay real Qt widgets.
//
//     platform::testing::ScriptedDesktop desktop;
//     desktop.AnswerMessageBox(IDCANCEL);      // next box's answer (default: its first button)
//     desktop.AnswerMenu(32775);               // next popup menu's choice (default: none)
//     desktop.AnswerFileDialog("/tmp/x.mdb");  // next file dialog (default: cancelled)
//     desktop.SetTrayAvailable(false);         // NIM_ADD fails, as with no notification area
//     ... run the code ...
//     desktop.messageBoxes[0].text, desktop.menus[0].items, desktop.FireTray(135, WM_RBUTTONUP)

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Desktop.h"

namespace platform::testing {

struct MessageBoxCall {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = 0;
    int answer = 0;
};

struct MenuCall {
    HWND owner = nullptr;
    POINT point{0, 0};
    UINT flags = 0;
    std::vector<MenuEntry> items;
    UINT answer = 0;
};

struct FileDialogCall {
    FileDialogRequest request;
    std::optional<std::string> answer;
};

struct TrayCall {
    enum Operation { Add, Modify, Delete } operation = Add;
    HWND owner = nullptr;
    UINT id = 0;
    UINT flags = 0;
    UINT callbackMessage = 0;
    std::string tip;
    unsigned iconId = 0;  // resource ID of the icon, 0 for none
    bool result = false;
};

struct HelpCall {
    HWND caller = nullptr;
    std::string file;
    std::string topic;
    std::string windowType;
    UINT command = 0;
};

class ScriptedDesktop : public Desktop {
public:
    ScriptedDesktop();            // installs itself
    ~ScriptedDesktop() override;  // restores the default desktop
    ScriptedDesktop(const ScriptedDesktop&) = delete;
    ScriptedDesktop& operator=(const ScriptedDesktop&) = delete;

    // The script: answers are used in order, one per call.
    void AnswerMessageBox(int result) { m_boxAnswers.push_back(result); }
    void AnswerMenu(UINT commandId) { m_menuAnswers.push_back(commandId); }
    void AnswerFileDialog(std::optional<std::string> path) {
        m_fileAnswers.push_back(std::move(path));
    }
    void SetTrayAvailable(bool available) { m_trayAvailable = available; }
    void SetCursorPos(POINT p) { m_cursor = p; }
    // Runs while a message box is "shown" (before it is answered).
    std::function<void(const MessageBoxCall&)> onMessageBox;
    // Runs while a popup menu is "shown".
    std::function<void(const MenuCall&)> onMenu;

    // Delivers a mouse message for the icon `id` as the shell would; false when
    // no such icon is in the notification area.
    bool FireTray(UINT id, UINT mouseMessage);
    bool HasTrayIcon(UINT id) const;
    const TrayCall* CurrentTrayIcon(UINT id) const;  // its state after the last add/modify

    std::vector<MessageBoxCall> messageBoxes;
    std::vector<MenuCall> menus;
    std::vector<FileDialogCall> fileDialogs;
    std::vector<TrayCall> trayCalls;
    std::vector<HelpCall> helpRequests;
    int waitCursorBegins = 0;
    int waitCursorEnds = 0;
    int WaitCursorDepth() const { return waitCursorBegins - waitCursorEnds; }

    // Desktop
    int MessageBox(const MessageBoxRequest& request) override;
    UINT TrackPopupMenu(const PopupMenuRequest& request) override;
    std::optional<std::string> FileDialog(const FileDialogRequest& request) override;
    bool TrayAdd(const TrayIconRequest& request) override;
    bool TrayModify(const TrayIconRequest& request) override;
    bool TrayDelete(HWND owner, UINT id) override;
    QWidget* ShowHelp(const HelpRequest& request) override;
    POINT CursorPos() override { return m_cursor; }
    void BeginWaitCursor() override { ++waitCursorBegins; }
    void EndWaitCursor() override { ++waitCursorEnds; }

private:
    struct Icon {
        TrayCall state;
        std::function<void(UINT)> notify;
    };
    TrayCall Record(TrayCall::Operation op, const TrayIconRequest& request, bool result);

    std::deque<int> m_boxAnswers;
    std::deque<UINT> m_menuAnswers;
    std::deque<std::optional<std::string>> m_fileAnswers;
    bool m_trayAvailable = true;
    POINT m_cursor{100, 100};
    std::map<std::pair<HWND, UINT>, Icon> m_icons;
};

// Runs `work` from the event loop once it is idle (for instance inside a modal run).
void WhenIdle(std::function<void()> work);

}  // namespace platform::testing
