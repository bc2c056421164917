#pragma once

// The DAO classes over the DAO object model (platform/dao/dao.h): the
// engine's start and shut-down, the result check for calls on the engine's
// own interfaces, and workspaces with compaction. Everything runs on the
// thread that started the engine.

#include "AfxDaoException.h"
#include "AfxObject.h"
#include "AfxString.h"
#include "platform/dao/dao.h"

// Starts the DAO engine unless it runs: COM on this thread, then the DBEngine
// object. Sets AfxGetApp()->m_lpfnDaoTerm so that CWinApp::ExitInstance shuts
// the engine down. A failure raises CDaoException with
// AFX_DAO_ERROR_ENGINE_INITIALIZATION.
void AfxDaoInit();
// Shuts the engine down, if it runs: releases the DBEngine object (and with
// it the Workspaces and Errors collections) and ends this thread's use of COM.
void AfxDaoTerm();
// The running engine, started first when it is not running. Not AddRef'd.
DAODBEngine* AfxDaoGetEngine();

// Raises an exception for a failed result of a DAO call: CMemoryException for
// E_OUTOFMEMORY, CDaoException with the engine's error information otherwise.
void AfxDaoCheck(SCODE scode);
#define DAO_CHECK(f) AfxDaoCheck(f)

// Raises a CDaoException. Its error information is the engine's Errors
// collection when that describes `scode` (m_pErrorInfo at its last entry);
// otherwise it has none.
[[noreturn]] void AfxThrowDaoException(int nAfxDaoError = NO_AFX_DAO_ERROR, SCODE scode = S_OK);

// A session of the engine logged on to the workgroup (the engine's SystemDB).
class CDaoWorkspace : public CObject {
    DECLARE_DYNAMIC(CDaoWorkspace)
public:
    CDaoWorkspace() = default;
    ~CDaoWorkspace() override;  // closes the workspace when it is open
    CDaoWorkspace(const CDaoWorkspace&) = delete;
    CDaoWorkspace& operator=(const CDaoWorkspace&) = delete;

    // Logs on to the workgroup with the account and makes a new workspace of
    // that name; raises CDaoException when the log-on fails.
    virtual void Create(LPCTSTR lpszName, LPCTSTR lpszUserName, LPCTSTR lpszPassword);
    // Adds the new workspace to the engine's Workspaces collection.
    virtual void Append();
    // Closes the workspace (it leaves the Workspaces collection) and lets go
    // of the engine's object.
    virtual void Close();

    BOOL IsOpen() const { return m_bOpen; }
    CString GetName();
    CString GetUserName();  // the account's stored name

    // Writes a compacted and repaired copy of database lpszSrcName to
    // lpszDestName, which must not exist, as the engine's default account.
    // lpszLocale: the collating locale of the copy (dbLangGeneral and the
    // like); nOptions: 0. With a password: the source's database password
    // (null or empty: none).
    static void CompactDatabase(LPCTSTR lpszSrcName, LPCTSTR lpszDestName,
                                LPCTSTR lpszLocale = dbLangGeneral, int nOptions = 0);
    static void CompactDatabase(LPCTSTR lpszSrcName, LPCTSTR lpszDestName, LPCTSTR lpszLocale,
                                int nOptions, LPCTSTR lpszPassword);

    // The engine's workspace while this object is open, else null.
    DAOWorkspace* m_pDAOWorkspace = nullptr;
    // The engine's Workspaces collection while the workspace is appended.
    DAOWorkspaces* m_pDAOWorkspaces = nullptr;

protected:
    BOOL m_bOpen = FALSE;
    BOOL m_bNew = FALSE;  // created and not yet appended
};
