#pragma once

// Resource and command IDs of the program's own resources. The class library's
// standard IDs (ID_FILE_NEW, AFX_IDS_APP_TITLE, ...) come from the platform.

// Dialogs
#define IDD_ABOUTBOX 100
#define IDD_BACKUP 102
#define IDD_COMPACT_REPAIR 109
#define IDD_ADOX_LOGIN 113
#define IDD_ADO_CHANGEPW 114

// Frame, document template, notification area
#define IDR_MAINFRAME 128
#define IDR_TARNEXTYPE 129
#define IDR_TRAYMENU 135
#define IDI_TRAY 135

// Notification-area states: each ID names an icon and its tooltip string
#define IDI_RUNNING 2
#define IDI_NOTLOGGEDIN 130
#define IDS_RUNNING 2
#define IDS_NOTLOGGEDIN 130

// Commands of the notification-area menu
#define ID_TRAY_HIDE 32771
#define ID_TRAY_EXIT 32774
#define ID_TRAY_OPEN 32775
#define ID_PAGE_LOGIN 32776
#define ID_PAGE_PASSWORDS 32777
#define ID_PAGE_COMPACT 32778
#define ID_PAGE_BACKUP 32779
#define ID_PAGE_PERMISSIONS 32780

// Controls of the Login page (113)
#define IDC_DATASOURCE 1002
#define IDC_LOGIN_PASSWORD 10381
#define IDC_LOGIN_USERID 10382

// Controls of the Change Password page (114); its button is IDOK
#define IDC_OLD_PASSWORD 10383
#define IDC_NEW_PASSWORD 10385
#define IDC_NEW_PASSWORD_AGAIN 10386

// Controls of the Compact / Repair page (109)
#define IDC_COMPACT_REPAIR 1007
#define IDC_COMPACT_STATUS 1008

// Controls of the Make Backup page (102)
#define IDC_BACKUP_FILE 1009
#define IDC_BROWSE_BACKUP 1010
#define IDC_CREATE_BACKUP 1011
