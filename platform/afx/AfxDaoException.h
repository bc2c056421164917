#pragma once

// The DAO class library's exception and its error information. The DAO
// classes (afxdao.h) raise it; they fill the engine's error collection with
// SetErrors and point m_pErrorInfo at its last entry, as the platform does.

#include <vector>

#include "AfxException.h"

struct CDaoErrorInfo {
    LONG m_lErrorCode = 0;
    CString m_strSource;
    CString m_strDescription;
    CString m_strHelpFile;
    LONG m_lHelpContext = 0;
};

constexpr int NO_AFX_DAO_ERROR = 0;
constexpr int AFX_DAO_ERROR_MIN = 2200;
constexpr int AFX_DAO_ERROR_ENGINE_INITIALIZATION = 2200;
constexpr int AFX_DAO_ERROR_DFX_BIND = 2201;
constexpr int AFX_DAO_ERROR_OBJECT_NOT_OPEN = 2202;

class CDaoException : public CException {
    DECLARE_DYNAMIC(CDaoException)
public:
    CDaoException() = default;
    ~CDaoException() override = default;
    CDaoException(const CDaoException&) = delete;
    CDaoException& operator=(const CDaoException&) = delete;

    // The number of entries in the engine's error collection.
    short GetErrorCount() const { return static_cast<short>(m_errors.size()); }
    // Points m_pErrorInfo at entry nIndex (null when out of range).
    void GetErrorInfo(int nIndex);
    // Replaces the collection; m_pErrorInfo then points at its last entry.
    void SetErrors(std::vector<CDaoErrorInfo> errors);

    // The description of m_pErrorInfo, else a text for m_nAfxDaoError or m_scode.
    CString GetMessageText() const override;

    CDaoErrorInfo* m_pErrorInfo = nullptr;
    SCODE m_scode = 0;
    int m_nAfxDaoError = NO_AFX_DAO_ERROR;

private:
    std::vector<CDaoErrorInfo> m_errors;
};
