#include "MyADOX.h"

#include <climits>

#include "CatalogErrorReport.h"

namespace {

constexpr LPCTSTR kJetProvider = "Microsoft.Jet.OLEDB.4.0";

// Runs `body` under the error guard. A _com_error is shown in the catalog
// error report and answered by onComError(); any other exception shows the
// fixed text and is answered by onOther(). Either answer is the result.
template <class Body, class OnComError, class OnOther>
auto Guarded(Body body, OnComError onComError, OnOther onOther) -> decltype(body()) {
    try {
        return body();
    } catch (const _com_error& e) {
        ReportCatalogError(e);
        return onComError();
    } catch (CException* e) {
        e->Delete();
        ReportCatalogFault();
        return onOther();
    } catch (...) {
        ReportCatalogFault();
        return onOther();
    }
}

// A path as a single-quoted value of an OLE DB connection string, in which a
// quote of the path itself is written twice.
CString QuotedValue(const CString& strPath) {
    CString strValue(strPath);
    strValue.Replace("'", "''");
    return "'" + strValue + "'";
}

_bstr_t Bstr(const CString& s) {
    return _bstr_t(s.GetString());
}

}  // namespace

CMyADOX::CMyADOX() : m_bComInitialized(FALSE), m_hr(0) {}

CMyADOX::~CMyADOX() {
    Guarded(
        [&] {
            if (m_pConnection != nullptr) CloseCatalog();
            if (m_bComInitialized) CoUninitialize();
        },
        [&] {
            m_pCatalog = nullptr;
            m_pConnection = nullptr;
        },
        [&] { m_pCatalog = nullptr; });
}

BOOL CMyADOX::InitCom() {
    if (FAILED(CoInitialize(NULL))) return FALSE;
    m_bComInitialized = TRUE;  // S_FALSE too: each success is balanced by one CoUninitialize
    return TRUE;
}

BOOL CMyADOX::CreateConnection() {
    if (m_pConnection != nullptr) CloseCatalog();
    m_hr = m_pConnection.CreateInstance(__uuidof(Connection), NULL, CLSCTX_ALL);
    if (FAILED(m_hr)) _com_issue_error(m_hr);
    return TRUE;
}

BOOL CMyADOX::CreateCatalog() {
    if (m_pCatalog != nullptr) return FALSE;
    m_hr = m_pCatalog.CreateInstance(__uuidof(Catalog), NULL, CLSCTX_ALL);
    if (FAILED(m_hr)) _com_issue_error(m_hr);
    return TRUE;
}

BOOL CMyADOX::SetProvider(CString strProvider) {
    if (m_pConnection == nullptr) return FALSE;
    if (strProvider.CompareNoCase("jet") == 0) strProvider = kJetProvider;
    m_pConnection->PutProvider(Bstr(strProvider));
    return TRUE;
}

CString CMyADOX::BuildConnectionString(const CString& strDatabase, const CString& strSystemDb) {
    return "data source=" + QuotedValue(strDatabase) +
           ";jet oledb:system database=" + QuotedValue(strSystemDb) + ";";
}

BOOL CMyADOX::OpenCatalog(CString strDatabase, CString strSystemDb, CString strUserId,
                          CString strPassword) {
    if (m_pConnection == nullptr) return FALSE;
    if (strDatabase.IsEmpty() || strSystemDb.IsEmpty()) return FALSE;
    const CString strConnection = BuildConnectionString(strDatabase, strSystemDb);

    return Guarded(
        [&]() -> BOOL {
            m_pConnection->PutMode(adModeReadWrite);
            m_pConnection->Open(Bstr(strConnection), Bstr(strUserId), Bstr(strPassword), 0);
            // FALSE means a catalog is held already; m_hr is then the result of its creation.
            if (!CreateCatalog()) _com_issue_error(m_hr);
            _variant_t varConnection(static_cast<IDispatch*>(m_pConnection), true);
            m_pCatalog->PutActiveConnection(varConnection);
            return TRUE;
        },
        [&]() -> BOOL {
            m_pCatalog = nullptr;
            m_pConnection = nullptr;
            return FALSE;
        },
        [&]() -> BOOL {
            m_pCatalog = nullptr;
            return FALSE;
        });
}

void CMyADOX::CloseCatalog() {
    Guarded(
        [&] {
            if (m_pConnection != nullptr) m_pConnection->Close();
        },
        [&] { m_pCatalog = nullptr; }, [&] { m_pCatalog = nullptr; });
    m_pConnection = nullptr;
    m_pCatalog = nullptr;
}

int CMyADOX::ChangeUserPassword(CString strUserId, CString strOldPassword, CString strNewPassword) {
    if (m_pCatalog == nullptr) return -1;
    return Guarded(
        [&]() -> int {
            GroupsPtr pGroups = m_pCatalog->GetGroups();
            // Collections are indexed by 16-bit positions.
            for (short nGroup = 0; nGroup < pGroups->GetCount() && nGroup < SHRT_MAX; ++nGroup) {
                UsersPtr pUsers = pGroups->GetItem(_variant_t(nGroup))->GetUsers();
                for (short nUser = 0; nUser < pUsers->GetCount() && nUser < SHRT_MAX; ++nUser) {
                    _UserPtr pUser = pUsers->GetItem(_variant_t(nUser));
                    const CString strName(static_cast<const char*>(pUser->GetName()));
                    if (strName.Compare(strUserId) != 0) continue;  // exact, case-sensitive
                    pUser->ChangePassword(Bstr(strOldPassword), Bstr(strNewPassword));
                    MessageBoxA(NULL, "Password Changes Successfully!", "System Message",
                                MB_OK | MB_ICONINFORMATION);
                    return 1;
                }
            }
            return 0;
        },
        []() -> int { return 0; }, []() -> int { return 0; });
}
