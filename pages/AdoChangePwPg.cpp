#include "AdoChangePwPg.h"

#include "TARNEX.h"

IMPLEMENT_DYNCREATE(CAdoChangePwPg, CPropertyPage)

BEGIN_MESSAGE_MAP(CAdoChangePwPg, CPropertyPage)
ON_BN_CLICKED(IDOK, OnChangePassword)
END_MESSAGE_MAP()

CAdoChangePwPg::CAdoChangePwPg() : CPropertyPage(CAdoChangePwPg::IDD) {}

CAdoChangePwPg::~CAdoChangePwPg() {}

void CAdoChangePwPg::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NEW_PASSWORD, m_strNewPassword);
    DDX_Text(pDX, IDC_NEW_PASSWORD_AGAIN, m_strNewPasswordAgain);
    DDX_Text(pDX, IDC_OLD_PASSWORD, m_strOldPassword);
}

BOOL CAdoChangePwPg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    return TRUE;
}

BOOL CAdoChangePwPg::OnSetActive() {
    return CPropertyPage::OnSetActive();
}

BOOL CAdoChangePwPg::OnKillActive() {
    return CPropertyPage::OnKillActive();
}

void CAdoChangePwPg::OnChangePassword() {
    if (!UpdateData(TRUE)) return;

    CTARNEXApp* pApp = static_cast<CTARNEXApp*>(AfxGetApp());
    // Exact, case-sensitive comparisons; nothing is trimmed.
    if (_mbscmp(reinterpret_cast<const unsigned char*>(m_strOldPassword.GetString()),
                reinterpret_cast<const unsigned char*>(pApp->m_strPassword.GetString())) != 0) {
        ::MessageBox(NULL, "Incorrect user id or password.", "ADOX Error", MB_OK | MB_ICONERROR);
        return;
    }
    if (_mbscmp(reinterpret_cast<const unsigned char*>(m_strNewPasswordAgain.GetString()),
                reinterpret_cast<const unsigned char*>(m_strNewPassword.GetString())) != 0) {
        ::MessageBox(NULL, "New passwords are not identical!", "ADOX Error", MB_OK | MB_ICONERROR);
        return;
    }
    // The catalog shows its own success or error message.
    if (pApp->ChangeCatalogPassword(m_strNewPassword) == 1) pApp->m_strPassword = m_strNewPassword;
}
