#pragma once
// The program run inside the test process over the suite's files and data
// sources (OdbcSuite), on the scripted desktop, with helpers that work the
// Login and Change Password pages through their real controls.

#include <string>
#include <vector>

#include "AdoChangePwPg.h"
#include "AdoxLoginPg.h"
#include "AppSession.h"
#include "OdbcSuite.h"

namespace tarnex::test {

class PageSession {
public:
    explicit PageSession(std::vector<DataSource> dataSources = {DataSource("TALVERON Main")},
                         const std::string& folderName = "suite");

    // Runs the program; `duringRun` works the sheet, whose Exit button ends it afterwards.
    int Run(std::function<void()> duringRun) { return program.Run({}, std::move(duringRun)); }

    CTARNEXApp& App() { return program.app; }
    platform::testing::ScriptedDesktop& Desktop() { return program.desktop; }
    CExtPropSheet& Sheet() { return program.Sheet(); }
    CAdoxLoginPg& LoginPage();
    CAdoChangePwPg& ChangePasswordPage();

    // The resource ID of the notification-area icon now shown (0 for none).
    unsigned TrayIconId() const;
    // The message boxes shown so far, as "caption|text" (with their icon bits checked by the
    // caller).
    std::vector<std::string> Messages() const;

    OdbcSuite suite;  // outlives the program, which may still hold its files
    AppSession program;
};

// The lines of a combo box, in their order.
std::vector<std::string> Lines(const CComboBox& combo);
// Replaces the text of control nID of pParent, as typing would.
void TypeInto(CWnd* pParent, int nID, const std::string& text);
std::string TextOf(CWnd* pParent, int nID);

// Fills the Login page: selects the line of `dataSource` (none when empty),
// types the user ID and the password.
void FillLogin(CAdoxLoginPg& page, const std::string& dataSource, const std::string& user,
               const std::string& password);
// Fills the Login page and asks the sheet for page `target`; whether it moved there.
bool Login(PageSession& session, const std::string& dataSource, const std::string& user,
           const std::string& password, int target = 1);

}  // namespace tarnex::test
