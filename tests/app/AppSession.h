#pragma once

// One run of the program inside the test process: a fresh application object
// on the scripted desktop, started with a command line and driven from inside
// the sheet's modal run.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ExtPropSheet.h"
#include "MainFrm.h"
#include "ScriptedDesktop.h"
#include "TARNEX.h"
#include "TarnexResources.h"

class AppSession {
public:
    explicit AppSession(const platform::res::ResourceModule& resources = TarnexResources());
    ~AppSession();
    AppSession(const AppSession&) = delete;
    AppSession& operator=(const AppSession&) = delete;

    // Runs the program with `args` after the executable's name and returns its
    // exit code. `duringRun` runs once the sheet is shown; if the sheet still
    // runs afterwards, its Exit button ends it.
    int Run(std::vector<std::string> args, std::function<void()> duringRun = {});

    CExtPropSheet& Sheet() { return *app.m_pSheet; }
    CMainFrame& Frame() { return *static_cast<CMainFrame*>(app.m_pMainWnd); }
    // Right-clicks (or double-clicks) the notification-area icon, choosing
    // `command` from its menu when one opens, and lets the result arrive.
    void ClickTray(UINT mouseMessage, UINT command = 0);

    platform::testing::ScriptedDesktop desktop;
    CTARNEXApp app;
    bool sheetRan = false;

private:
    std::shared_ptr<bool> m_pRunning;
};

// Lets posted messages (tray callbacks, menu commands) arrive.
void Pump();
// Clicks a push button widget as a person would.
void Click(CWnd* pButton);
// Presses a key on the widget of a window.
void PressKey(CWnd* pWnd, int qtKey);
// Whether a top-level window is shown on the screen.
bool IsShown(CWnd* pWnd);
// The folder of the running (test) executable.
std::string ExecutableFolder();
