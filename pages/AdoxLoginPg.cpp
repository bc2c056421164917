#include "AdoxLoginPg.h"

#include <cstring>

#include "TARNEX.h"
#include "afxdb.h"

IMPLEMENT_DYNCREATE(CAdoxLoginPg, CPropertyPage)

BEGIN_MESSAGE_MAP(CAdoxLoginPg, CPropertyPage)
END_MESSAGE_MAP()

namespace {

constexpr LPCTSTR kLoginFailed = "Failed to connect, please check your login information";

// The one key that a data source of the suite holds in its name.
constexpr LPCTSTR kSuiteDataSourceMark = "TALVERON";

// A value of a connect string in ODBC's braces when it could be taken for
// more than one value: it holds ";" or starts with "{" (a "}" inside is doubled).
CString ConnectValue(const CString& strValue) {
    if (strValue.Find(';') < 0 && (strValue.IsEmpty() || strValue[0] != '{')) return strValue;
    CString strBraced(strValue);
    strBraced.Replace("}", "}}");
    return "{" + strBraced + "}";
}

// The value of a braced pair value "{...}" without its braces; any other value unchanged.
CString UnbracedValue(const CString& strValue) {
    const int nLength = strValue.GetLength();
    if (nLength < 2 || strValue[0] != '{' || strValue[nLength - 1] != '}') return strValue;
    CString strInner = strValue.Mid(1, nLength - 2);
    strInner.Replace("}}", "}");
    return strInner;
}

// The position of the ";" that ends the pair starting at the beginning of
// strRest, skipping a braced value; -1 when the pair is not ended.
int FindPairEnd(const CString& strRest) {
    const int nEquals = strRest.Find('=');
    const int nSemicolon = strRest.Find(';');
    if (nEquals < 0 || (nSemicolon >= 0 && nSemicolon < nEquals)) return nSemicolon;
    if (nEquals + 1 >= strRest.GetLength() || strRest[nEquals + 1] != '{') return nSemicolon;
    for (int i = nEquals + 2; i < strRest.GetLength(); ++i) {
        if (strRest[i] != '}') continue;
        if (i + 1 < strRest.GetLength() && strRest[i + 1] == '}') {
            ++i;  // a doubled "}" stands for one
            continue;
        }
        return strRest.Find(';', i + 1);
    }
    return nSemicolon;  // never closed: read as an unbraced value
}

}  // namespace

CAdoxLoginPg::CAdoxLoginPg() : CPropertyPage(CAdoxLoginPg::IDD) {}

CAdoxLoginPg::~CAdoxLoginPg() {}

void CAdoxLoginPg::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DATASOURCE, m_cboDataSource);
    DDX_Text(pDX, IDC_LOGIN_PASSWORD, m_strLoginPassword);
    DDX_Text(pDX, IDC_LOGIN_USERID, m_strLoginUserId);
}

BOOL CAdoxLoginPg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    FillDataSourceList();
    return TRUE;
}

void CAdoxLoginPg::FillDataSourceList() {
    SQLHENV hEnv = SQL_NULL_HENV;
    if (SQLAllocEnv(&hEnv) == SQL_SUCCESS) {
        m_cboDataSource.ResetContent();
        for (;;) {
            SQLCHAR szName[256] = {};
            SQLCHAR szDescription[256] = {};
            SQLSMALLINT nNameLength = 0;
            SQLSMALLINT nDescriptionLength = 0;
            const SQLRETURN rc =
                SQLDataSources(hEnv, SQL_FETCH_NEXT, szName, sizeof szName, &nNameLength,
                               szDescription, sizeof szDescription, &nDescriptionLength);
            if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) break;

            const CString strName(reinterpret_cast<const char*>(szName));
            CString strUpper(strName);
            strUpper.MakeUpper();
            if (strUpper.Find(kSuiteDataSourceMark) >= 0) {
                m_cboDataSource.AddString(strName + " (" +
                                          reinterpret_cast<const char*>(szDescription) + ")");
            }
            if (rc != SQL_SUCCESS) break;
        }
        SQLFreeEnv(hEnv);
    }
    if (m_cboDataSource.GetCount() > 0) m_cboDataSource.SetCurSel(-1);
}

BOOL CAdoxLoginPg::OnSetActive() {
    CTARNEXApp* pApp = static_cast<CTARNEXApp*>(AfxGetApp());
    pApp->DisconnectCatalog();
    pApp->SetTrayIcon(IDI_NOTLOGGEDIN);

    m_strLoginPassword.Empty();
    m_strLoginUserId.Empty();
    m_cboDataSource.SetCurSel(-1);

    CPropertyPage::OnSetActive();
    return TRUE;
}

BOOL CAdoxLoginPg::OnKillActive() {
    // Both logins block while the driver and the catalog check the account.
    BeginWaitCursor();
    BOOL bLoggedIn;
    try {
        bLoggedIn = CheckLogin();
    } catch (...) {
        EndWaitCursor();
        throw;
    }
    EndWaitCursor();

    if (!bLoggedIn) {
        ::MessageBox(NULL, kLoginFailed, "Database Error", MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    static_cast<CTARNEXApp*>(AfxGetApp())->SetTrayIcon(IDI_RUNNING);
    return CPropertyPage::OnKillActive();
}

// The ODBC login and then the catalog's; TRUE when both accepted the account.
BOOL CAdoxLoginPg::CheckLogin() {
    UpdateData(TRUE);
    if (m_strLoginUserId.IsEmpty() || m_strLoginPassword.IsEmpty() || !OpenOdbcLogin())
        return FALSE;
    // The edits show the account as the data source completed it.
    UpdateData(FALSE);
    return static_cast<CTARNEXApp*>(AfxGetApp())->ConnectCatalog();
}

BOOL CAdoxLoginPg::OpenOdbcLogin() {
    CTARNEXApp* pApp = static_cast<CTARNEXApp*>(AfxGetApp());
    if (pApp->m_database.IsOpen()) pApp->m_database.Close();

    const int nSelected = m_cboDataSource.GetCurSel();
    if (nSelected == CB_ERR) {
        ::MessageBox(NULL, "Please choose a Database from the list first.", "DAO System Error",
                     MB_OK | MB_ICONERROR);
        pApp->m_strSystemDb.Empty();
        return FALSE;
    }

    // A line is "<data source> (<description>)".
    CString strEntry;
    m_cboDataSource.GetLBText(nSelected, strEntry);
    const int nParen = strEntry.Find('(');
    if (strEntry.IsEmpty() || nParen <= 0) return FALSE;
    const CString strDataSource = strEntry.Left(nParen - 1);

    const CString strConnect = CString("ODBC;") + "UID=" + ConnectValue(m_strLoginUserId) +
                               ";PWD=" + ConnectValue(m_strLoginPassword);
    try {
        if (!pApp->m_database.Open(strDataSource, FALSE, TRUE, strConnect, TRUE)) return FALSE;
    } catch (CException* e) {
        // The driver refused the account or the data source: a failed login.
        e->Delete();
        return FALSE;
    }

    if (pApp->m_database.IsOpen()) {
        pApp->m_strConnect = pApp->m_database.GetConnect();
        ParseConnectString(pApp->m_strConnect);
        pApp->m_database.Close();
    }
    return TRUE;
}

void CAdoxLoginPg::ParseConnectString(const CString& strConnect) {
    if (strConnect.IsEmpty()) return;
    // Every pair ends in ";"; text after the last one is not a pair.
    CString strRest(strConnect);
    while (!strRest.IsEmpty()) {
        const int nEnd = FindPairEnd(strRest);
        if (nEnd < 0) break;
        ParseConnectItem(strRest.Left(nEnd));
        strRest = strRest.Mid(nEnd + 1);
    }
}

void CAdoxLoginPg::ParseConnectItem(const CString& strItem) {
    CTARNEXApp* pApp = static_cast<CTARNEXApp*>(AfxGetApp());
    // Keys are matched at the start of the pair, case-sensitively, in this order.
    struct KeyEntry {
        LPCTSTR pszKey;
        CString CAdoxLoginPg::*pMember;
    };
    static const KeyEntry keys[] = {
        {"ODBC", &CAdoxLoginPg::m_strKeyOdbc},
        {"DSN", &CAdoxLoginPg::m_strKeyDsn},
        {"DBQ", &CAdoxLoginPg::m_strKeyDbq},
        {"DriverID", &CAdoxLoginPg::m_strKeyDriverId},
        {"FIL", &CAdoxLoginPg::m_strKeyFil},
        {"MaxBufferSize", &CAdoxLoginPg::m_strKeyMaxBufferSize},
        {"PageTimeOut", &CAdoxLoginPg::m_strKeyPageTimeOut},
        {"PWD", &CAdoxLoginPg::m_strKeyPwd},
        {"SystemDB", &CAdoxLoginPg::m_strKeySystemDb},
        {"UID", &CAdoxLoginPg::m_strKeyUid},
    };
    for (const KeyEntry& key : keys) {
        const int nKeyLength = static_cast<int>(strlen(key.pszKey));
        if (strItem.Left(nKeyLength).Compare(key.pszKey) != 0) continue;

        CString& strValue = this->*key.pMember;
        strValue = UnbracedValue(GetItemValue(strItem, nKeyLength + 1));
        if (key.pMember == &CAdoxLoginPg::m_strKeyDbq) {
            pApp->m_strDatabase = strValue;
        } else if (key.pMember == &CAdoxLoginPg::m_strKeyPwd) {
            m_strLoginPassword = strValue;
            pApp->m_strPassword = m_strLoginPassword;
        } else if (key.pMember == &CAdoxLoginPg::m_strKeySystemDb) {
            pApp->m_strSystemDb = strValue;
        } else if (key.pMember == &CAdoxLoginPg::m_strKeyUid) {
            m_strLoginUserId = strValue;
            pApp->m_strUserId = m_strLoginUserId;
        }
        return;
    }
}

CString CAdoxLoginPg::GetItemValue(const CString& strItem, int nSkip) {
    if (nSkip != 0 && strItem.GetLength() >= nSkip) return strItem.Mid(nSkip);
    return strItem;
}
