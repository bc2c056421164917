// The exception family and its messages.

#include <cerrno>
#include <cstring>

#include "AfxApp.h"
#include "AfxDBException.h"
#include "AfxDaoException.h"
#include "AfxException.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CDBException, CException)
IMPLEMENT_DYNAMIC(CDaoException, CException)

void CException::Delete() {
    if (m_bAutoDelete) delete this;
}

CString CException::GetMessageText() const {
    return CString();
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    if (pnHelpContext) *pnHelpContext = 0;
    CString text = GetMessageText();
    if (lpszError && nMaxError > 0) {
        std::size_t n =
            std::min<std::size_t>(static_cast<std::size_t>(text.GetLength()), nMaxError - 1);
        std::memcpy(lpszError, text.GetString(), n);
        lpszError[n] = '\0';
    }
    return text.IsEmpty() ? FALSE : TRUE;
}

int CException::ReportError(UINT nType, UINT nMessageID) const {
    CString text = GetMessageText();
    if (text.IsEmpty()) {
        if (nMessageID == 0 || !text.LoadString(nMessageID))
            text = "An unsupported operation was attempted.";
    }
    return AfxMessageBox(text, nType);
}

CString CMemoryException::GetMessageText() const {
    return "Out of memory.";
}
CString CNotSupportedException::GetMessageText() const {
    return "An unsupported operation was attempted.";
}
CString CResourceException::GetMessageText() const {
    return "A required resource was unavailable.";
}
CString CUserException::GetMessageText() const {
    return CString();
}

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName) {}

int CFileException::OsErrorToException(LONG e) {
    switch (e) {
        case 0:
            return none;
        case ENOENT:
            return fileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
            return badPath;
        case EMFILE:
        case ENFILE:
            return tooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return accessDenied;
        case ENOSPC:
            return diskFull;
        case EIO:
            return hardIO;
        case EBUSY:
        case ETXTBSY:
            return sharingViolation;
        default:
            return genericException;
    }
}

CString CFileException::GetMessageText() const {
    CString name = m_strFileName.IsEmpty() ? CString("an unnamed file") : m_strFileName;
    CString text;
    switch (m_cause) {
        case fileNotFound:
            text.Format("%s was not found.", (LPCTSTR)name);
            break;
        case badPath:
            text.Format("%s contains an invalid path.", (LPCTSTR)name);
            break;
        case tooManyOpenFiles:
            text.Format("%s could not be opened because there are too many open files.",
                        (LPCTSTR)name);
            break;
        case accessDenied:
            text.Format("Access to %s was denied.", (LPCTSTR)name);
            break;
        case invalidFile:
            text = "An attempt was made to use an invalid file handle.";
            break;
        case diskFull:
            text.Format("The disk is full while accessing %s.", (LPCTSTR)name);
            break;
        case hardIO:
            text.Format("There was a hardware error while accessing %s.", (LPCTSTR)name);
            break;
        case sharingViolation:
            text.Format("A sharing violation occurred while accessing %s.", (LPCTSTR)name);
            break;
        case endOfFile:
            text.Format("An attempt was made to access %s past its end.", (LPCTSTR)name);
            break;
        default:
            text.Format("An unexpected error occurred while accessing %s.", (LPCTSTR)name);
            break;
    }
    if (m_lOsError > 0) text.AppendFormat("\n%s", std::strerror(static_cast<int>(m_lOsError)));
    return text;
}

CString CDBException::GetMessageText() const {
    return m_strError;
}

void CDaoException::GetErrorInfo(int nIndex) {
    m_pErrorInfo = nIndex >= 0 && static_cast<std::size_t>(nIndex) < m_errors.size()
                       ? &m_errors[static_cast<std::size_t>(nIndex)]
                       : nullptr;
}

void CDaoException::SetErrors(std::vector<CDaoErrorInfo> errors) {
    m_errors = std::move(errors);
    GetErrorInfo(static_cast<int>(m_errors.size()) - 1);
}

CString CDaoException::GetMessageText() const {
    if (m_pErrorInfo && !m_pErrorInfo->m_strDescription.IsEmpty())
        return m_pErrorInfo->m_strDescription;
    CString text;
    switch (m_nAfxDaoError) {
        case AFX_DAO_ERROR_ENGINE_INITIALIZATION:
            return "Unable to initialize the DAO/Jet database engine.";
        case AFX_DAO_ERROR_DFX_BIND:
            return "DAO record field exchange failed.";
        case AFX_DAO_ERROR_OBJECT_NOT_OPEN:
            return "The DAO object is not open.";
        default:
            break;
    }
    text.Format("A DAO error occurred (0x%08X).", static_cast<unsigned>(m_scode));
    return text;
}

void AfxThrowMemoryException() {
    throw new CMemoryException;
}
void AfxThrowNotSupportedException() {
    throw new CNotSupportedException;
}
void AfxThrowResourceException() {
    throw new CResourceException;
}
void AfxThrowUserException() {
    throw new CUserException;
}
void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
    throw new CFileException(cause, lOsError, lpszFileName);
}
