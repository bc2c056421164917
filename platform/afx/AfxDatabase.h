#pragma once

// CDatabase: one ODBC connection through the driver manager (unixODBC).
// Open connects with driver completion; GetConnect then gives "ODBC;" and the
// connect string that the driver completed. A driver error is raised as a
// CDBException* carrying the driver's diagnostics.

#include "AfxDBException.h"
#include "AfxObject.h"
#include "AfxString.h"
#include "WinTypes.h"

// The ODBC headers, told that the platform's types already exist; the few
// they expect from the platform beyond those are given here as unixODBC
// defines them on this system (64-bit long).
#ifndef ALREADY_HAVE_WINDOWS_TYPE
#define ALREADY_HAVE_WINDOWS_TYPE
typedef signed char SCHAR;
typedef SCHAR SQLSCHAR;
typedef std::int32_t SDWORD;
typedef std::uint32_t UDWORD;
typedef signed short SWORD;
typedef unsigned short UWORD;
typedef signed long SLONG;
typedef signed short SSHORT;
typedef double SDOUBLE;
typedef double LDOUBLE;
typedef float SFLOAT;
typedef void* PTR;
typedef void* SQLHWND;
#endif
#ifndef SQL_API
#define SQL_API
#endif
#ifndef FAR
#define FAR
#endif
#ifndef CALLBACK
#define CALLBACK
#endif
#include <sql.h>
#include <sqlext.h>

class CDatabase : public CObject {
    DECLARE_DYNAMIC(CDatabase)
public:
    enum DbOpenOptions : DWORD {
        openExclusive = 0x0001,    // not offered by ODBC: refused
        openReadOnly = 0x0002,     // the connection's access mode is read-only
        useCursorLib = 0x0004,     // the driver manager's cursor library
        noOdbcDialog = 0x0008,     // SQL_DRIVER_NOPROMPT
        forceOdbcDialog = 0x0010,  // SQL_DRIVER_PROMPT
    };

    CDatabase() = default;
    ~CDatabase() override;  // closes an open connection
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;

    // Connects to data source lpszDSN (may be null or empty when the connect
    // string names the source) with lpszConnect, which must start with "ODBC;".
    // TRUE when connected; FALSE when the connect string lacks "ODBC;" or the
    // user cancelled the driver's prompt (SQL_NO_DATA). A driver error raises
    // CDBException*; bExclusive raises CNotSupportedException*.
    virtual BOOL Open(LPCTSTR lpszDSN, BOOL bExclusive = FALSE, BOOL bReadonly = FALSE,
                      LPCTSTR lpszConnect = "ODBC;", BOOL bUseCursorLib = TRUE);
    // Connects with a connect string without the "ODBC;" prefix and DbOpenOptions.
    virtual BOOL OpenEx(LPCTSTR lpszConnectString, DWORD dwOptions = 0);
    virtual void Close();

    BOOL IsOpen() const { return m_hdbc != SQL_NULL_HDBC; }
    BOOL CanUpdate() const { return m_bUpdatable; }
    // "ODBC;" followed by the completed connect string while open (and after
    // Close, the last one); before any connection, what was asked for.
    const CString GetConnect() const { return m_strConnect; }

    SQLHDBC m_hdbc = SQL_NULL_HDBC;
    CString m_strConnect;

private:
    void AllocConnect(DWORD dwOptions);
    BOOL Connect(DWORD dwOptions);
    void Free();

    SQLHENV m_henv = SQL_NULL_HENV;
    BOOL m_bUpdatable = TRUE;
};

// Raises a CDBException* for nRetCode with the diagnostic records of the ODBC
// handle (none when hHandle is null).
[[noreturn]] void AfxThrowDBException(RETCODE nRetCode, SQLSMALLINT nHandleType, SQLHANDLE hHandle);
