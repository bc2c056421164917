// CDaoWorkspace: a logged-on session of the DAO engine, and compaction.

#include <cerrno>
#include <cstring>
#include <utility>

#include "AfxDao.h"
#include "FileFaults.h"

IMPLEMENT_DYNAMIC(CDaoWorkspace, CObject)

namespace {

// 8-bit text in a BSTR for one DAO call (see dao.h).
class NarrowBstr {
public:
    explicit NarrowBstr(LPCTSTR text) : m_bstr(DaoAllocString(text ? text : "")) {
        if (m_bstr == nullptr) AfxThrowMemoryException();
    }
    ~NarrowBstr() { SysFreeString(m_bstr); }
    NarrowBstr(const NarrowBstr&) = delete;
    NarrowBstr& operator=(const NarrowBstr&) = delete;
    operator BSTR() const { return m_bstr; }

private:
    BSTR m_bstr;
};

// An argument left out, as DAO expects an optional one.
VARIANT Omitted() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

// 8-bit text in a VT_BSTR variant.
_variant_t NarrowVariant(LPCTSTR text) {
    _variant_t v;
    v.bstrVal = DaoAllocString(text);
    if (v.bstrVal == nullptr) AfxThrowMemoryException();
    v.vt = VT_BSTR;
    return v;
}

CString TakeText(BSTR bstr) {
    CString text(DaoString(bstr));
    SysFreeString(bstr);
    return text;
}

// A compaction that the file-fault hook made fail, reported as the engine
// reports a file it cannot write.
[[noreturn]] void ThrowCompactionFault(int err, LPCTSTR lpszDestName) {
    const bool readOnly = err == EACCES || err == EPERM || err == EROFS;
    CDaoErrorInfo info;
    info.m_lErrorCode = readOnly ? 3027 : 3043;
    info.m_strSource = "TALVERON Database Engine";
    info.m_strDescription.Format("Cannot write '%s' (%s).", lpszDestName, std::strerror(err));
    auto* e = new CDaoException;
    e->m_scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, info.m_lErrorCode);
    e->SetErrors({std::move(info)});
    throw e;
}

}  // namespace

CDaoWorkspace::~CDaoWorkspace() {
    if (!m_bOpen) return;
    try {
        Close();
    } catch (CException* e) {
        // A workspace that cannot be closed cleanly is let go all the same.
        e->Delete();
    }
}

void CDaoWorkspace::Create(LPCTSTR lpszName, LPCTSTR lpszUserName, LPCTSTR lpszPassword) {
    if (m_bOpen) AfxThrowNotSupportedException();
    DAODBEngine* engine = AfxDaoGetEngine();
    VARIANT useType;
    VariantInit(&useType);
    useType.vt = VT_I4;
    useType.lVal = dbUseJet;
    DAO_CHECK(engine->CreateWorkspace(NarrowBstr(lpszName), NarrowBstr(lpszUserName),
                                      NarrowBstr(lpszPassword), useType, &m_pDAOWorkspace));
    m_bOpen = TRUE;
    m_bNew = TRUE;
}

void CDaoWorkspace::Append() {
    if (!m_bOpen || !m_bNew) AfxThrowNotSupportedException();
    DAOWorkspaces* workspaces = nullptr;
    DAO_CHECK(AfxDaoGetEngine()->get_Workspaces(&workspaces));
    const HRESULT hr = workspaces->Append(m_pDAOWorkspace);
    if (FAILED(hr)) {
        workspaces->Release();
        DAO_CHECK(hr);
    }
    m_pDAOWorkspaces = workspaces;
    m_bNew = FALSE;
}

void CDaoWorkspace::Close() {
    if (!m_bOpen) return;
    // The object is let go whatever the engine answers; its answer is then raised.
    DAOWorkspace* workspace = std::exchange(m_pDAOWorkspace, nullptr);
    DAOWorkspaces* workspaces = std::exchange(m_pDAOWorkspaces, nullptr);
    m_bOpen = FALSE;
    m_bNew = FALSE;
    const HRESULT hr = workspace->Close();
    workspace->Release();
    if (workspaces != nullptr) workspaces->Release();
    DAO_CHECK(hr);
}

CString CDaoWorkspace::GetName() {
    if (!m_bOpen) AfxThrowDaoException(AFX_DAO_ERROR_OBJECT_NOT_OPEN);
    BSTR name = nullptr;
    DAO_CHECK(m_pDAOWorkspace->get_Name(&name));
    return TakeText(name);
}

CString CDaoWorkspace::GetUserName() {
    if (!m_bOpen) AfxThrowDaoException(AFX_DAO_ERROR_OBJECT_NOT_OPEN);
    BSTR name = nullptr;
    DAO_CHECK(m_pDAOWorkspace->get_UserName(&name));
    return TakeText(name);
}

void CDaoWorkspace::CompactDatabase(LPCTSTR lpszSrcName, LPCTSTR lpszDestName, LPCTSTR lpszLocale,
                                    int nOptions) {
    CompactDatabase(lpszSrcName, lpszDestName, lpszLocale, nOptions, nullptr);
}

void CDaoWorkspace::CompactDatabase(LPCTSTR lpszSrcName, LPCTSTR lpszDestName, LPCTSTR lpszLocale,
                                    int nOptions, LPCTSTR lpszPassword) {
    using platform::FileOperation;
    using platform::FilePhase;
    DAODBEngine* engine = AfxDaoGetEngine();
    if (const int err = platform::CheckFileFault(FileOperation::Compact, FilePhase::Before,
                                                 lpszSrcName, lpszDestName)) {
        ThrowCompactionFault(err, lpszDestName);
    }
    const _variant_t locale = lpszLocale ? NarrowVariant(lpszLocale) : _variant_t(Omitted());
    const _variant_t password = lpszPassword && *lpszPassword
                                    ? NarrowVariant(CString(";pwd=") + lpszPassword)
                                    : _variant_t(Omitted());
    DAO_CHECK(engine->CompactDatabase(NarrowBstr(lpszSrcName), NarrowBstr(lpszDestName), locale,
                                      _variant_t(nOptions), password));
    platform::CheckFileFault(FileOperation::Compact, FilePhase::After, lpszSrcName, lpszDestName);
}
