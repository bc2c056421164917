#include "PageSession.h"

#include <gtest/gtest.h>

namespace tarnex::test {

PageSession::PageSession(std::vector<DataSource> dataSources, const std::string& folderName)
    : suite(std::move(dataSources), folderName) {}

CAdoxLoginPg& PageSession::LoginPage() {
    auto* pPage = DYNAMIC_DOWNCAST(CAdoxLoginPg, Sheet().GetPage(0));
    if (pPage == nullptr) throw std::logic_error("page 0 is not the Login page");
    return *pPage;
}

CAdoChangePwPg& PageSession::ChangePasswordPage() {
    auto* pPage = DYNAMIC_DOWNCAST(CAdoChangePwPg, Sheet().GetPage(1));
    if (pPage == nullptr) throw std::logic_error("page 1 is not the Change Password page");
    return *pPage;
}

unsigned PageSession::TrayIconId() const {
    const platform::testing::TrayCall* icon = program.desktop.CurrentTrayIcon(IDI_TRAY);
    return icon != nullptr ? icon->iconId : 0;
}

std::vector<std::string> PageSession::Messages() const {
    std::vector<std::string> messages;
    for (const auto& box : program.desktop.messageBoxes) {
        messages.push_back(box.caption + "|" + box.text);
    }
    return messages;
}

std::vector<std::string> Lines(const CComboBox& combo) {
    std::vector<std::string> lines;
    for (int i = 0; i < combo.GetCount(); ++i) {
        CString line;
        combo.GetLBText(i, line);
        lines.push_back(line.str());
    }
    return lines;
}

void TypeInto(CWnd* pParent, int nID, const std::string& text) {
    CWnd* pControl = pParent->GetDlgItem(nID);
    if (pControl == nullptr) throw std::logic_error("no control " + std::to_string(nID));
    pControl->SetWindowText(text.c_str());
}

std::string TextOf(CWnd* pParent, int nID) {
    CString text;
    pParent->GetDlgItemText(nID, text);
    return text.str();
}

void FillLogin(CAdoxLoginPg& page, const std::string& dataSource, const std::string& user,
               const std::string& password) {
    int nLine = -1;
    if (!dataSource.empty()) {
        nLine = page.m_cboDataSource.FindStringExact(
            -1, (dataSource + " (" + kDriverName + ")").c_str());
        if (nLine < 0) ADD_FAILURE() << "no line for " << dataSource;
    }
    page.m_cboDataSource.SetCurSel(nLine);
    TypeInto(&page, IDC_LOGIN_USERID, user);
    TypeInto(&page, IDC_LOGIN_PASSWORD, password);
}

bool Login(PageSession& session, const std::string& dataSource, const std::string& user,
           const std::string& password, int target) {
    FillLogin(session.LoginPage(), dataSource, user, password);
    return session.Sheet().SetActivePage(target) && session.Sheet().GetActiveIndex() == target;
}

}  // namespace tarnex::test
