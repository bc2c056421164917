// CDatabase over the ODBC driver manager, and the CDBException it raises.

#include <cstring>
#include <vector>

#include "afxdb.h"

IMPLEMENT_DYNAMIC(CDatabase, CObject)

namespace {

constexpr char kOdbcPrefix[] = "ODBC;";
constexpr int kOdbcPrefixLength = sizeof kOdbcPrefix - 1;

// SQLDriverConnect reports the completed string's length in a SQLSMALLINT, so
// a buffer of that size always holds it whole.
constexpr SQLSMALLINT kMaxConnectLength = 32767;

bool Succeeded(SQLRETURN nRetCode) {
    return nRetCode == SQL_SUCCESS || nRetCode == SQL_SUCCESS_WITH_INFO;
}

// The driver manager's and driver's "[vendor][component]" prefixes of a message.
CString TakeOrigin(CString& strMessage) {
    CString strOrigin;
    int nClose;
    while (!strMessage.IsEmpty() && strMessage[0] == '[' && (nClose = strMessage.Find(']')) >= 0) {
        strOrigin += strMessage.Left(nClose + 1);
        strMessage = strMessage.Mid(nClose + 1);
    }
    strMessage.TrimLeft();
    return strOrigin;
}

}  // namespace

void AfxThrowDBException(RETCODE nRetCode, SQLSMALLINT nHandleType, SQLHANDLE hHandle) {
    auto* pException = new CDBException(nRetCode);
    for (SQLSMALLINT nRecord = 1; hHandle != SQL_NULL_HANDLE; ++nRecord) {
        SQLCHAR szState[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER nNative = 0;
        SQLSMALLINT nLength = 0;
        std::vector<SQLCHAR> message(SQL_MAX_MESSAGE_LENGTH);
        SQLRETURN rc =
            SQLGetDiagRec(nHandleType, hHandle, nRecord, szState, &nNative, message.data(),
                          static_cast<SQLSMALLINT>(message.size()), &nLength);
        if (rc == SQL_SUCCESS_WITH_INFO && nLength >= static_cast<SQLSMALLINT>(message.size())) {
            message.resize(static_cast<std::size_t>(nLength) + 1);  // a long message: read it whole
            rc = SQLGetDiagRec(nHandleType, hHandle, nRecord, szState, &nNative, message.data(),
                               static_cast<SQLSMALLINT>(message.size()), &nLength);
        }
        if (!Succeeded(rc)) break;

        CString strMessage(reinterpret_cast<const char*>(message.data()));
        const CString strOrigin = TakeOrigin(strMessage);
        CString strLine;
        strLine.Format("State:%s,Native:%ld,Origin:%s\n", reinterpret_cast<const char*>(szState),
                       static_cast<long>(nNative), strOrigin.GetString());
        pException->m_strStateNativeOrigin += strLine;
        pException->m_strError += strMessage + "\n";
    }
    if (pException->m_strError.IsEmpty()) {
        pException->m_strError.Format("The ODBC call failed (return code %d), without a message.\n",
                                      static_cast<int>(nRetCode));
    }
    throw pException;
}

CDatabase::~CDatabase() {
    Close();
}

BOOL CDatabase::Open(LPCTSTR lpszDSN, BOOL bExclusive, BOOL bReadonly, LPCTSTR lpszConnect,
                     BOOL bUseCursorLib) {
    CString strConnect(lpszConnect);
    // As for other clients of data sources, the connect string names its kind first.
    if (strConnect.Left(kOdbcPrefixLength).CompareNoCase(kOdbcPrefix) != 0) return FALSE;
    strConnect = strConnect.Mid(kOdbcPrefixLength);
    if (lpszDSN != nullptr && lpszDSN[0] != '\0') {
        strConnect += ";DSN=";
        strConnect += lpszDSN;
    }

    DWORD dwOptions = 0;
    if (bExclusive) dwOptions |= openExclusive;
    if (bReadonly) dwOptions |= openReadOnly;
    if (bUseCursorLib) dwOptions |= useCursorLib;
    return OpenEx(strConnect, dwOptions);
}

BOOL CDatabase::OpenEx(LPCTSTR lpszConnectString, DWORD dwOptions) {
    // ODBC has no exclusive use of a data source.
    if (dwOptions & openExclusive) AfxThrowNotSupportedException();
    if (IsOpen()) {
        auto* pException = new CDBException(SQL_ERROR);
        pException->m_strError = "The database is already open.\n";
        pException->m_strStateNativeOrigin = "State:08002,Native:0,Origin:\n";
        throw pException;
    }
    m_bUpdatable = (dwOptions & openReadOnly) == 0;
    m_strConnect = lpszConnectString;
    try {
        AllocConnect(dwOptions);
        if (!Connect(dwOptions)) return FALSE;
    } catch (...) {
        Free();
        throw;
    }
    return TRUE;
}

void CDatabase::AllocConnect(DWORD dwOptions) {
    SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_henv);
    if (!Succeeded(rc)) {
        m_henv = SQL_NULL_HENV;
        AfxThrowDBException(rc, SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    }
    rc =
        SQLSetEnvAttr(m_henv, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!Succeeded(rc)) AfxThrowDBException(rc, SQL_HANDLE_ENV, m_henv);
    rc = SQLAllocHandle(SQL_HANDLE_DBC, m_henv, &m_hdbc);
    if (!Succeeded(rc)) {
        m_hdbc = SQL_NULL_HDBC;
        AfxThrowDBException(rc, SQL_HANDLE_ENV, m_henv);
    }
    // The cursor library is a choice of the driver manager, made before connecting.
    if (dwOptions & useCursorLib) {
        rc = SQLSetConnectAttr(m_hdbc, SQL_ATTR_ODBC_CURSORS,
                               reinterpret_cast<SQLPOINTER>(SQL_CUR_USE_ODBC), SQL_IS_INTEGER);
        if (!Succeeded(rc)) AfxThrowDBException(rc, SQL_HANDLE_DBC, m_hdbc);
    }
    if (!m_bUpdatable) {
        rc = SQLSetConnectAttr(m_hdbc, SQL_ATTR_ACCESS_MODE,
                               reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), SQL_IS_INTEGER);
        if (!Succeeded(rc)) AfxThrowDBException(rc, SQL_HANDLE_DBC, m_hdbc);
    }
}

BOOL CDatabase::Connect(DWORD dwOptions) {
    SQLUSMALLINT nCompletion = SQL_DRIVER_COMPLETE;
    if (dwOptions & noOdbcDialog)
        nCompletion = SQL_DRIVER_NOPROMPT;
    else if (dwOptions & forceOdbcDialog)
        nCompletion = SQL_DRIVER_PROMPT;

    std::string input = m_strConnect.str();
    std::vector<SQLCHAR> output(static_cast<std::size_t>(kMaxConnectLength) + 1);
    SQLSMALLINT nOutput = 0;
    // No window is given: a driver that needs more than the string holds cannot
    // ask for it and reports what is missing.
    const SQLRETURN rc =
        SQLDriverConnect(m_hdbc, nullptr, reinterpret_cast<SQLCHAR*>(input.data()), SQL_NTS,
                         output.data(), kMaxConnectLength, &nOutput, nCompletion);
    if (rc == SQL_NO_DATA) {  // the user cancelled the driver's prompt
        Free();
        return FALSE;
    }
    if (!Succeeded(rc)) AfxThrowDBException(rc, SQL_HANDLE_DBC, m_hdbc);
    m_strConnect = CString(kOdbcPrefix) + reinterpret_cast<const char*>(output.data());
    return TRUE;
}

void CDatabase::Close() {
    if (m_hdbc != SQL_NULL_HDBC) SQLDisconnect(m_hdbc);
    Free();
}

void CDatabase::Free() {
    if (m_hdbc != SQL_NULL_HDBC) {
        SQLFreeHandle(SQL_HANDLE_DBC, m_hdbc);
        m_hdbc = SQL_NULL_HDBC;
    }
    if (m_henv != SQL_NULL_HENV) {
        SQLFreeHandle(SQL_HANDLE_ENV, m_henv);
        m_henv = SQL_NULL_HENV;
    }
}
