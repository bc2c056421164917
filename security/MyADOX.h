#pragma once

// CMyADOX: the security catalog of the suite's database. One ADO connection,
// opened through the Jet provider with the workgroup file, a user ID and a
// password, and one ADOX catalog bound to it, through which a user's password
// is changed. It also starts COM for the program and ends it again.

#include "afxwin.h"
#include "platform/ado/adox.h"

class CMyADOX {
public:
    CMyADOX();
    virtual ~CMyADOX();
    CMyADOX(const CMyADOX&) = delete;
    CMyADOX& operator=(const CMyADOX&) = delete;

    // Starts COM on the calling thread; TRUE on success (also when it was started already).
    BOOL InitCom();
    // Creates the ADO connection object, closing any held one first. TRUE, or
    // the creation's failure raised as _com_error.
    BOOL CreateConnection();
    // Chooses the provider ("jet" in any case for the Jet provider). FALSE
    // without a connection object; a refusal is raised as _com_error.
    BOOL SetProvider(CString strProvider);
    // Opens the database with the workgroup file and the account and binds a
    // catalog to the connection. Errors are shown in the catalog error report.
    BOOL OpenCatalog(CString strDatabase, CString strSystemDb, CString strUserId,
                     CString strPassword);
    // Closes the connection and releases the connection and the catalog.
    void CloseCatalog();
    // Changes the password of the first group member named exactly strUserId:
    // 1 changed, 0 not changed, -1 when no catalog is held.
    int ChangeUserPassword(CString strUserId, CString strOldPassword, CString strNewPassword);

    // The connection string for a database and its workgroup file.
    static CString BuildConnectionString(const CString& strDatabase, const CString& strSystemDb);

protected:
    // Creates the catalog object; FALSE when one is held already.
    BOOL CreateCatalog();

    BOOL m_bComInitialized;
    _CatalogPtr m_pCatalog;
    _ConnectionPtr m_pConnection;
    HRESULT m_hr;
};
