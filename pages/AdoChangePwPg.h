#pragma once

// The Change Password page: changes the password of the logged-in account in
// the security catalog after checking the old password against the session's
// and the new one against its repetition.

#include "afxdlgs.h"
#include "resource.h"

class CAdoChangePwPg : public CPropertyPage {
    DECLARE_DYNCREATE(CAdoChangePwPg)
public:
    CAdoChangePwPg();
    ~CAdoChangePwPg() override;

    enum { IDD = IDD_ADO_CHANGEPW };

    CString m_strNewPassword;
    CString m_strNewPasswordAgain;
    CString m_strOldPassword;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    afx_msg void OnChangePassword();

    DECLARE_MESSAGE_MAP()
};
