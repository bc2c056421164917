#pragma once

// The ODBC class library's exception. CDatabase (afxdb.h) raises it.

#include "AfxException.h"

typedef short RETCODE;

class CDBException : public CException {
    DECLARE_DYNAMIC(CDBException)
public:
    explicit CDBException(RETCODE nRetCode = 0) : m_nRetCode(nRetCode) {}
    CString GetMessageText() const override;  // m_strError

    RETCODE m_nRetCode;
    CString m_strError;              // the driver's message(s), each ending in "\n"
    CString m_strStateNativeOrigin;  // "State:...,Native:...,Origin:..." lines
};
