#pragma once

// The resources the platform tests build windows from.

namespace test_resources {

constexpr unsigned kFrame = 128;     // frame title string and menu
constexpr unsigned kTrayMenu = 135;  // a popup menu like the program's tray menu
constexpr unsigned kTrayIcon = 130;  // icon and tooltip string
constexpr unsigned kLoginPage = 113;
constexpr unsigned kSecondPage = 114;
constexpr unsigned kThirdPage = 109;
constexpr unsigned kAboutBox = 100;
constexpr unsigned kDocTemplate = 129;  // document template string
constexpr unsigned kToolbar = 128;      // toolbar and its bitmap

constexpr unsigned kCmdOpen = 32775;
constexpr unsigned kCmdExit = 32774;
constexpr unsigned kCmdPage0 = 32776;
constexpr unsigned kCmdPage1 = 32777;
constexpr unsigned kCmdOrphan = 32790;  // no handler anywhere

constexpr int kCombo = 1002;
constexpr int kPassword = 10381;
constexpr int kUserId = 10382;
constexpr int kGroup = 1100;
constexpr int kStatus = 1008;
constexpr int kButton = 1007;

// Registers the module (idempotent).
void Register();

}  // namespace test_resources
