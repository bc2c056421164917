#pragma once

// The DAO run shared by the Compact / Repair and Make Backup pages: the
// engine set-up from the login session, a temporary workspace with the
// session account, the walk over the workgroup's users that runs a page's
// guarded operation for the session user, and the DAO error message.

#include <functional>

#include "afxdao.h"

class CTARNEXApp;

// The collating locale of every compaction in the program.
extern const char COMPACT_LOCALE[];

// Restarts the DAO engine with the session's workgroup file, checks that the
// session user ID and then the password are not empty, and makes them the
// engine's default account. FALSE, with no message, when it stops.
BOOL DaoEngineSetup(CTARNEXApp* pApp);

// Shows the DAO error message for an exception caught around a guarded
// operation: the engine's description (with a hint for a read-only file), or
// the exception's own message when it carries no engine error information.
void ShowDaoErrorMessage(CException* e);

// Splits a path with the platform's path splitter: strFolder is the drive and
// the directory (with its trailing separator), then the base name and the
// extension (with its dot). No part has a length limit of its own.
void SplitFilePath(const CString& strPath, CString& strFolder, CString& strName,
                   CString& strExtension);

// Shows a file error ("Database File Error", error icon, no owner).
void ShowDatabaseFileError(LPCTSTR lpszText);

// While one click of a database page is at work, including its message boxes
// (which have no owner, so the sheet stays usable underneath), a second click
// of either page is kept out.
class CDatabasePageClick {
public:
    CDatabasePageClick() : m_bEntered(!s_bBusy) { s_bBusy = TRUE; }
    ~CDatabasePageClick() {
        if (m_bEntered) s_bBusy = FALSE;
    }
    CDatabasePageClick(const CDatabasePageClick&) = delete;
    CDatabasePageClick& operator=(const CDatabasePageClick&) = delete;

    // FALSE when another click is still at work: this one must do nothing.
    BOOL Entered() const { return m_bEntered; }

private:
    BOOL m_bEntered;
    static BOOL s_bBusy;
};

class CDaoRun {
public:
    explicit CDaoRun(CTARNEXApp* pApp) : m_pApp(pApp) {}
    ~CDaoRun() { ReleaseUsers(); }
    CDaoRun(const CDaoRun&) = delete;
    CDaoRun& operator=(const CDaoRun&) = delete;

    // The page's guarded operation, run for each account whose name equals the
    // session user ID byte for byte; FALSE ends the walk.
    using GuardedOperation = std::function<BOOL()>;

    // Closes the security catalog, opens "Temp Workspace" with the session
    // account and walks its Users collection. TRUE when the walk ran to its
    // end, FALSE when the operation failed. Either way (and also when the
    // engine raises an exception, which is passed on) the workspace is closed,
    // the engine shut down and the catalog reopened.
    BOOL Run(const GuardedOperation& operation);

    // Lets go of the Users collection (the operation does so before its
    // failure messages).
    void ReleaseUsers();

private:
    void Finish(CDaoWorkspace& workspace);

    CTARNEXApp* m_pApp;
    DAOUsers* m_pUsers = nullptr;
};
