#include "DaoRun.h"

#include <vector>

#include "CrtSplitPath.h"
#include "TARNEX.h"

const char COMPACT_LOCALE[] = ";LANGID=0x0409;CP=1252;COUNTRY=0";

BOOL CDatabasePageClick::s_bBusy = FALSE;

namespace {

const char szWorkspaceName[] = "Temp Workspace";
const LONG lReadOnlyError = 3027;

}  // namespace

BOOL DaoEngineSetup(CTARNEXApp* pApp) {
    if (!pApp->SetDaoSystemDb()) return FALSE;
    if (pApp->m_strUserId.IsEmpty()) return FALSE;
    if (pApp->m_strPassword.IsEmpty()) return FALSE;
    return pApp->SetDaoDefaultLogin();
}

void ShowDaoErrorMessage(CException* e) {
    CString strMessage;
    CDaoException* pDaoException = DYNAMIC_DOWNCAST(CDaoException, e);
    if (pDaoException != NULL && pDaoException->m_pErrorInfo != NULL) {
        strMessage = pDaoException->m_pErrorInfo->m_strDescription;
        if (pDaoException->m_pErrorInfo->m_lErrorCode == lReadOnlyError)
            strMessage += "\n\nMake sure your talveron.mdw file is not read-only.";
    } else {
        // No engine error information: the exception's own message.
        const UINT nMax = 4096;
        if (!e->GetErrorMessage(strMessage.GetBuffer(nMax), nMax)) {
            strMessage.ReleaseBuffer();
            strMessage = "An unexpected error occurred.";
        } else {
            strMessage.ReleaseBuffer();
        }
    }
    ::MessageBox(NULL, strMessage, "DAO System Error", MB_OK | MB_ICONERROR);
}

void SplitFilePath(const CString& strPath, CString& strFolder, CString& strName,
                   CString& strExtension) {
    const std::size_t nSize = static_cast<std::size_t>(strPath.GetLength()) + 1;
    std::vector<char> drive(nSize), dir(nSize), fname(nSize), ext(nSize);
    _splitpath_s(strPath, drive.data(), nSize, dir.data(), nSize, fname.data(), nSize, ext.data(),
                 nSize);
    strFolder = CString(drive.data()) + dir.data();
    strName = fname.data();
    strExtension = ext.data();
}

void ShowDatabaseFileError(LPCTSTR lpszText) {
    ::MessageBox(NULL, lpszText, "Database File Error", MB_OK | MB_ICONERROR);
}

void CDaoRun::ReleaseUsers() {
    if (m_pUsers != NULL) {
        m_pUsers->Release();
        m_pUsers = NULL;
    }
}

BOOL CDaoRun::Run(const GuardedOperation& operation) {
    m_pApp->DisconnectCatalog();

    CDaoWorkspace workspace;
    BOOL bWalkEnded = TRUE;
    try {
        workspace.Create(szWorkspaceName, m_pApp->m_strUserId, m_pApp->m_strPassword);
        workspace.Append();

        DAO_CHECK(workspace.m_pDAOWorkspace->get_Users(&m_pUsers));
        short nCount = 0;
        DAO_CHECK(m_pUsers->get_Count(&nCount));
        for (short i = 0; i < nCount; i++) {
            DAOUser* pUser = NULL;
            DAO_CHECK(m_pUsers->get_Item(_variant_t(i), &pUser));
            BSTR bstrName = NULL;
            const HRESULT hr = pUser->get_Name(&bstrName);
            pUser->Release();
            DAO_CHECK(hr);
            const CString strName(DaoString(bstrName));
            SysFreeString(bstrName);

            // Byte for byte: letter case counts.
            if (_mbscmp(reinterpret_cast<const unsigned char*>(strName.GetString()),
                        reinterpret_cast<const unsigned char*>(m_pApp->m_strUserId.GetString())) ==
                0) {
                if (!operation()) {
                    bWalkEnded = FALSE;
                    break;
                }
            }
        }
    } catch (CException*) {
        // The platform reports the exception; the engine and the catalog end
        // as after any run, so that the other pages keep working.
        Finish(workspace);
        throw;
    }
    Finish(workspace);
    return bWalkEnded;
}

void CDaoRun::Finish(CDaoWorkspace& workspace) {
    ReleaseUsers();
    try {
        workspace.Close();
    } catch (CException* e) {
        e->Delete();  // the workspace is let go all the same
    }
    AfxDaoTerm();
    m_pApp->ConnectCatalog();
}
