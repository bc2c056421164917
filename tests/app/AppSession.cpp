#include "AppSession.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <filesystem>

#include "WindowHandle.h"

AppSession::AppSession(const platform::res::ResourceModule& resources) {
    platform::res::RegisterResourceModule(&resources);
}

AppSession::~AppSession() {
    platform::res::RegisterResourceModule(&TarnexResources());
}

namespace {

// Runs `work` once the sheet is up, unless the run it belongs to is over.
void WhenSheetShown(CTARNEXApp& app, std::shared_ptr<bool> pRunning, std::function<void()> work) {
    platform::testing::WhenIdle([&app, pRunning, work]() {
        if (!*pRunning) return;
        if (app.m_pSheet == nullptr || !IsShown(app.m_pSheet)) {
            WhenSheetShown(app, pRunning, work);
            return;
        }
        work();
    });
}

}  // namespace

int AppSession::Run(std::vector<std::string> args, std::function<void()> duringRun) {
    std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
    args.insert(args.begin(), exe);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    m_pRunning = std::make_shared<bool>(true);
    WhenSheetShown(app, m_pRunning, [this, duringRun]() {
        sheetRan = true;
        if (duringRun) duringRun();
        if (app.m_pSheet != nullptr && app.m_pSheet->ContinueModal())
            Click(app.m_pSheet->GetDlgItem(IDCANCEL));
    });
    int code = AfxWinMain(static_cast<int>(args.size()), argv.data());
    *m_pRunning = false;
    return code;
}

void AppSession::ClickTray(UINT mouseMessage, UINT command) {
    if (command != 0) desktop.AnswerMenu(command);
    desktop.FireTray(IDI_TRAY, mouseMessage);
    Pump();
}

void Pump() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Click(CWnd* pButton) {
    auto* button = qobject_cast<QAbstractButton*>(platform::win::WidgetFromHandle(pButton->m_hWnd));
    if (button != nullptr) button->click();
}

void PressKey(CWnd* pWnd, int qtKey) {
    QWidget* widget = platform::win::WidgetFromHandle(pWnd->m_hWnd);
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

bool IsShown(CWnd* pWnd) {
    QWidget* widget = pWnd != nullptr ? platform::win::WidgetFromHandle(pWnd->m_hWnd) : nullptr;
    return widget != nullptr && widget->isVisible();
}

std::string ExecutableFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}
