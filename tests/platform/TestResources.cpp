#include "TestResources.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QImageWriter>

#include "ResourceTypes.h"
#include "WinStyles.h"
#include "WinUser.h"

namespace test_resources {
namespace {

using namespace platform::res;

constexpr std::uint32_t kPageStyle = WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT;

// A 16x16 icon, written by Qt's own ICO writer.
// Eight 16x15 toolbar images in one bitmap.
const QByteArray& BitmapBytes() {
    static const QByteArray bytes = [] {
        QImage image(8 * 16, 15, QImage::Format_RGB32);
        image.fill(QColor(192, 192, 192));
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
        return out;
    }();
    return bytes;
}

const QByteArray& IconBytes() {
    static const QByteArray bytes = [] {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::darkBlue);
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "ico");
        writer.write(image);
        return out;
    }();
    return bytes;
}

ResourceModule Build() {
    ResourceModule m;
    m.strings = {{kFrame, "Test Frame"},
                 {kTrayIcon, "Quill*Marsh Database Manager - Not Logged In."},
                 {57344, "TESTAPP"},
                 {57345, "Ready"},
                 {kDocTemplate, "\nTARNEX\nTARNEX\n\n\nTARNEX.Document\nTARNEX Document"},
                 {57600, "Create a new document\nNew"}};
    m.toolbars = {ToolbarTemplate{
        kToolbar, 16, 15, {57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 57607, 0, 57664}}};
    m.menus = {MenuTemplate{
        kTrayMenu,
        {MenuItem{"TRAY MENU",
                  0,
                  MF_POPUP,
                  {MenuItem{"Open", kCmdOpen, 0, {}}, MenuItem{"Exit", kCmdExit, 0, {}},
                   MenuItem{nullptr, 0, MF_SEPARATOR, {}},
                   MenuItem{"Open Page",
                            0,
                            MF_POPUP,
                            {MenuItem{"Login", kCmdPage0, 0, {}},
                             MenuItem{"Passwords", kCmdPage1, 0, {}}}},
                   MenuItem{"Orphan", kCmdOrphan, 0, {}}}}}}};
    m.dialogs = {
        DialogTemplate{
            kLoginPage,
            "Login",
            242,
            66,
            "MS Sans Serif",
            8,
            kPageStyle,
            {{kCombo, "COMBOBOX", "", 7, 7, 228, 130,
              WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT},
             {kUserId, "EDIT", "", 49, 37, 65, 15,
              WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
             {kPassword, "EDIT", "", 164, 37, 65, 15,
              WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL},
             {kGroup, "BUTTON", "Login Information", 7, 24, 228, 33, WS_VISIBLE | BS_GROUPBOX},
             {-1, "STATIC", "User ID:", 17, 41, 28, 10, WS_VISIBLE | SS_RIGHT}}},
        DialogTemplate{kSecondPage,
                       "Change Password",
                       235,
                       81,
                       "MS Sans Serif",
                       8,
                       kPageStyle,
                       {{IDOK, "BUTTON", "Change Password", 73, 58, 75, 15,
                         WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON}}},
        DialogTemplate{
            kThirdPage,
            "&Compact / Repair",
            242,
            70,
            "MS Sans Serif",
            8,
            kPageStyle,
            {{kButton, "BUTTON", "Compact / Repair", 89, 7, 62, 15,
              WS_VISIBLE | WS_TABSTOP | WS_DISABLED},
             {kStatus, "STATIC", "", 7, 26, 228, 37, WS_VISIBLE | WS_GROUP | SS_SUNKEN}}},
        DialogTemplate{
            kAboutBox,
            "About TESTAPP",
            235,
            55,
            "MS Sans Serif",
            8,
            WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
            {{IDOK, "BUTTON", "OK", 178, 7, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON}}},
    };
    const QByteArray& icon = IconBytes();
    const QByteArray& bitmap = BitmapBytes();
    m.images = {
        Image{kTrayIcon, ImageKind::Icon, reinterpret_cast<const unsigned char*>(icon.constData()),
              static_cast<std::size_t>(icon.size())},
        Image{kToolbar, ImageKind::Bitmap,
              reinterpret_cast<const unsigned char*>(bitmap.constData()),
              static_cast<std::size_t>(bitmap.size())}};
    return m;
}

}  // namespace

void Register() {
    static const ResourceModule module = Build();
    RegisterResourceModule(&module);
}

}  // namespace test_resources
