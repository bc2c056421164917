#include "ResourceParts.h"
#include "StandardIds.h"
#include "platform/win/WinStyles.h"
#include "resource.h"

namespace tarnex::res {

using platform::res::MenuItem;
using platform::res::MenuTemplate;

namespace {

MenuItem Item(const char* text, unsigned id, std::uint32_t flags = MF_STRING) {
    return {text, id, flags, {}};
}

MenuItem Separator() {
    return {nullptr, 0, MF_SEPARATOR, {}};
}

MenuItem Popup(const char* text, std::vector<MenuItem> children) {
    return {text, 0, MF_POPUP, std::move(children)};
}

// The greyed placeholder that the platform replaces by the recent-file list.
MenuItem RecentFile() {
    return Item("Recent File", std_id::kFileMru1, MF_GRAYED);
}

MenuItem ViewMenu() {
    return Popup("&View", {Item("&Toolbar", std_id::kViewToolbar),
                           Item("&Status Bar", std_id::kViewStatusBar)});
}

MenuItem HelpMenu() {
    return Popup("&Help", {Item("&About TARNEX...", std_id::kAppAbout)});
}

}  // namespace

std::vector<MenuTemplate> MakeMenus() {
    MenuTemplate frame{
        IDR_MAINFRAME,
        {Popup("&File",
               {Item("&New\tCtrl+N", std_id::kFileNew), Item("&Open...\tCtrl+O", std_id::kFileOpen),
                Separator(), Item("P&rint Setup...", std_id::kFilePrintSetup), Separator(),
                RecentFile(), Separator(), Item("E&xit", std_id::kAppExit)}),
         ViewMenu(), HelpMenu()}};

    MenuTemplate document{
        IDR_TARNEXTYPE,
        {Popup("&File",
               {Item("&New\tCtrl+N", std_id::kFileNew), Item("&Open...\tCtrl+O", std_id::kFileOpen),
                Item("&Close", std_id::kFileClose), Item("&Save\tCtrl+S", std_id::kFileSave),
                Item("Save &As...", std_id::kFileSaveAs), Separator(),
                Item("&Print...\tCtrl+P", std_id::kFilePrint),
                Item("Print Pre&view", std_id::kFilePrintPreview),
                Item("P&rint Setup...", std_id::kFilePrintSetup), Separator(), RecentFile(),
                Separator(), Item("E&xit", std_id::kAppExit)}),
         Popup("&Edit",
               {Item("&Undo\tCtrl+Z", std_id::kEditUndo), Separator(),
                Item("Cu&t\tCtrl+X", std_id::kEditCut), Item("&Copy\tCtrl+C", std_id::kEditCopy),
                Item("&Paste\tCtrl+V", std_id::kEditPaste)}),
         ViewMenu(),
         Popup(
             "&Window",
             {Item("&New Window", std_id::kWindowNew), Item("&Cascade", std_id::kWindowCascade),
              Item("&Tile", std_id::kWindowTile), Item("&Arrange Icons", std_id::kWindowArrange)}),
         HelpMenu()}};

    // The notification-area menu: one popup whose title is never shown.
    MenuTemplate tray{
        IDR_TRAYMENU,
        {Popup("TRAY MENU",
               {Item("Open", ID_TRAY_OPEN), Item("Exit", ID_TRAY_EXIT), Item("Hide", ID_TRAY_HIDE),
                Popup("Open Page",
                      {Item("Login", ID_PAGE_LOGIN), Item("Passwords", ID_PAGE_PASSWORDS),
                       Item("Compact / Repair", ID_PAGE_COMPACT), Item("Backup", ID_PAGE_BACKUP),
                       Item("Permissions", ID_PAGE_PERMISSIONS)})})}};

    return {std::move(frame), std::move(document), std::move(tray)};
}

}  // namespace tarnex::res
