#pragma once

// The Login page: lists the suite's ODBC data sources, and lets the sheet
// leave it only after the chosen source accepted the user ID and password and
// the security catalog opened for them. Coming back to it logs out.

#include "afxdlgs.h"
#include "resource.h"

class CAdoxLoginPg : public CPropertyPage {
    DECLARE_DYNCREATE(CAdoxLoginPg)
public:
    CAdoxLoginPg();
    ~CAdoxLoginPg() override;

    enum { IDD = IDD_ADOX_LOGIN };

    // Values of the last pairs of each key read from a completed connect string.
    CString m_strKeyOdbc;
    CString m_strKeyDsn;
    CString m_strKeyDbq;
    CString m_strKeyDriverId;
    CString m_strKeyFil;
    CString m_strKeyMaxBufferSize;
    CString m_strKeyPageTimeOut;
    CString m_strKeyPwd;
    CString m_strKeySystemDb;
    CString m_strKeyUid;

    CComboBox m_cboDataSource;
    CString m_strLoginPassword;
    CString m_strLoginUserId;

    // Splits a completed connect string into its ";"-ended pairs and stores
    // the values of the known keys, filling the login session.
    void ParseConnectString(const CString& strConnect);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    // Lists the data sources whose name holds "TALVERON" in any letter case.
    void FillDataSourceList();
    // Opens the chosen data source with the typed account; TRUE when it opened.
    BOOL OpenOdbcLogin();
    void ParseConnectItem(const CString& strItem);
    CString GetItemValue(const CString& strItem, int nSkip);

    DECLARE_MESSAGE_MAP()

private:
    BOOL CheckLogin();
};
