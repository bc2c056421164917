#include "ResourceParts.h"
#include "StandardIds.h"
#include "platform/win/WinStyles.h"
#include "resource.h"

namespace tarnex::res {

using platform::res::DialogItem;
using platform::res::DialogTemplate;

namespace {

constexpr const char* kFont = "MS Sans Serif";
constexpr int kPointSize = 8;
constexpr std::uint32_t kPageStyle = WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT;
constexpr std::uint32_t kControl = WS_CHILD | WS_VISIBLE;
constexpr std::uint32_t kEdit = kControl | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr std::uint32_t kPasswordEdit = kEdit | ES_PASSWORD;
constexpr std::uint32_t kPushButton = kControl | BS_PUSHBUTTON | WS_TABSTOP;
constexpr std::uint32_t kRightLabel = kControl | SS_RIGHT;

DialogTemplate AboutBox() {
    return {IDD_ABOUTBOX,
            "About TARNEX",
            235,
            55,
            kFont,
            kPointSize,
            DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT,
            {
                // An icon control names its icon as "#<resource ID>".
                {std_id::kIdStatic, "STATIC", "#128", 11, 17, 20, 20, kControl | SS_ICON},
                {std_id::kIdStatic, "STATIC", "TARNEX", 71, 30, 119, 8, kControl | SS_LEFT},
                {std_id::kIdOk, "BUTTON", "OK", 178, 7, 50, 14,
                 kControl | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP},
            }};
}

DialogTemplate LoginPage() {
    return {IDD_ADOX_LOGIN,
            "Login",
            242,
            66,
            kFont,
            kPointSize,
            kPageStyle,
            {
                {IDC_DATASOURCE, "COMBOBOX", "", 7, 7, 228, 130,
                 kControl | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP},
                {IDC_LOGIN_USERID, "EDIT", "", 49, 37, 65, 15, kEdit},
                {IDC_LOGIN_PASSWORD, "EDIT", "", 164, 37, 65, 15, kPasswordEdit},
                {std_id::kIdStatic, "BUTTON", "Login Information", 7, 24, 228, 33,
                 kControl | BS_GROUPBOX},
                {std_id::kIdStatic, "STATIC", "User ID:", 17, 41, 28, 10, kRightLabel},
                {std_id::kIdStatic, "STATIC", "Password:", 120, 42, 39, 8, kRightLabel},
            }};
}

DialogTemplate ChangePasswordPage() {
    return {IDD_ADO_CHANGEPW,
            "Change Password",
            235,
            81,
            kFont,
            kPointSize,
            kPageStyle,
            {
                {IDC_OLD_PASSWORD, "EDIT", "", 88, 10, 121, 12, kPasswordEdit},
                {IDC_NEW_PASSWORD, "EDIT", "", 88, 25, 121, 12, kPasswordEdit},
                {IDC_NEW_PASSWORD_AGAIN, "EDIT", "", 88, 40, 121, 12, kPasswordEdit},
                {std_id::kIdOk, "BUTTON", "Change Password", 73, 58, 75, 15,
                 kControl | BS_DEFPUSHBUTTON | WS_TABSTOP},
                {std_id::kIdStatic, "STATIC", "New Password Again:", 11, 43, 72, 8, kRightLabel},
                {std_id::kIdStatic, "STATIC", "Old Password:", 33, 13, 50, 8, kRightLabel},
                {std_id::kIdStatic, "STATIC", "New Password:", 33, 28, 50, 8, kRightLabel},
            }};
}

DialogTemplate CompactRepairPage() {
    return {IDD_COMPACT_REPAIR,
            "&Compact / Repair",
            242,
            70,
            kFont,
            kPointSize,
            kPageStyle,
            {
                {IDC_COMPACT_REPAIR, "BUTTON", "Compact / Repair", 89, 7, 62, 15, kPushButton},
                {IDC_COMPACT_STATUS, "STATIC", "", 7, 26, 228, 37,
                 kControl | WS_GROUP | SS_SUNKEN | SS_LEFT},
            }};
}

DialogTemplate BackupPage() {
    return {IDD_BACKUP,
            "Make &Backup",
            242,
            61,
            kFont,
            kPointSize,
            kPageStyle,
            {
                {IDC_BACKUP_FILE, "EDIT", "", 13, 22, 203, 14, kEdit},
                {std_id::kIdStatic, "STATIC", "Choose backup file name", 7, 7, 128, 8,
                 kControl | WS_GROUP | SS_LEFT},
                {IDC_BROWSE_BACKUP, "BUTTON", "...", 214, 22, 17, 14, kPushButton},
                {IDC_CREATE_BACKUP, "BUTTON", "Create Backup", 90, 40, 60, 15, kPushButton},
            }};
}

}  // namespace

std::vector<DialogTemplate> MakeDialogs() {
    return {AboutBox(), BackupPage(), CompactRepairPage(), LoginPage(), ChangePasswordPage()};
}

}  // namespace tarnex::res
