#pragma once

// The exception family. Exceptions are thrown as pointers to heap objects and
// released with Delete() by whoever catches them:
//     try { ... } catch (CException* e) { e->ReportError(); e->Delete(); }
// An exception that leaves a message handler is caught by the platform and
// reported with AfxMessageBox (GetErrorMessage text, error icon).

#include "AfxObject.h"
#include "AfxString.h"
#include "WinTypes.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
    ~CException() override = default;

    // Frees a heap exception (m_bAutoDelete); does nothing for one on the stack.
    void Delete();
    // Copies at most nMaxError-1 characters of the message into lpszError;
    // FALSE when there is no message.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError,
                                 UINT* pnHelpContext = nullptr) const;
    // Shows the message with AfxMessageBox; nMessageID's string when none.
    virtual int ReportError(UINT nType = 0x10 /* MB_ICONERROR */, UINT nMessageID = 0) const;
    // The whole message (not an MFC member: avoids a fixed buffer).
    virtual CString GetMessageText() const;

    BOOL m_bAutoDelete;
};

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() = default;
    CString GetMessageText() const override;
};

class CNotSupportedException : public CException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException() = default;
    CString GetMessageText() const override;
};

class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException() = default;
    CString GetMessageText() const override;
};

// Raised after the user was already told (for instance by a failed data
// exchange); the platform's default report stays silent for it.
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() = default;
    CString GetMessageText() const override;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };
    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
    CString GetMessageText() const override;
    // The cause for an errno value.
    static int OsErrorToException(LONG lOsError);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1,
                                        LPCTSTR lpszFileName = nullptr);
