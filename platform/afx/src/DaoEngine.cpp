// The DAO engine's start and shut-down, and the result check of DAO calls.

#include <utility>
#include <vector>

#include "AfxApp.h"
#include "AfxDao.h"

namespace {

// The engine of this program's user-interface thread.
struct DaoState {
    DAODBEngine* engine = nullptr;
    bool comStarted = false;  // AfxDaoInit's CoInitialize, balanced by AfxDaoTerm
};

DaoState& State() {
    static DaoState state;
    return state;
}

CString Narrow(BSTR bstr) {
    CString text(DaoString(bstr));
    SysFreeString(bstr);
    return text;
}

// The entries of the engine's Errors collection; empty when it cannot be read.
std::vector<CDaoErrorInfo> EngineErrors(DAODBEngine* engine) {
    std::vector<CDaoErrorInfo> entries;
    DAOErrorsPtr errors;
    short count = 0;
    if (engine == nullptr || FAILED(engine->get_Errors(&errors)) ||
        FAILED(errors->get_Count(&count))) {
        return entries;
    }
    for (short i = 0; i < count; ++i) {
        DAOErrorPtr error;
        CDaoErrorInfo info;
        BSTR source = nullptr;
        BSTR description = nullptr;
        BSTR helpFile = nullptr;
        if (FAILED(errors->get_Item(_variant_t(i), &error)) ||
            FAILED(error->get_Number(&info.m_lErrorCode)) || FAILED(error->get_Source(&source)) ||
            FAILED(error->get_Description(&description)) ||
            FAILED(error->get_HelpFile(&helpFile)) ||
            FAILED(error->get_HelpContext(&info.m_lHelpContext))) {
            SysFreeString(source);
            SysFreeString(description);
            SysFreeString(helpFile);
            return {};
        }
        info.m_strSource = Narrow(source);
        info.m_strDescription = Narrow(description);
        info.m_strHelpFile = Narrow(helpFile);
        entries.push_back(std::move(info));
    }
    return entries;
}

// Whether an error entry is the failure `scode` reports: the object model
// reports error number n as FACILITY_CONTROL n, other failures by their HRESULT.
bool Describes(const CDaoErrorInfo& info, SCODE scode) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, info.m_lErrorCode & 0xFFFF) == scode ||
           info.m_lErrorCode == scode;
}

}  // namespace

void AfxDaoInit() {
    DaoState& state = State();
    if (state.engine != nullptr) return;
    const HRESULT com = CoInitialize(nullptr);
    if (FAILED(com) && com != RPC_E_CHANGED_MODE) {
        AfxThrowDaoException(AFX_DAO_ERROR_ENGINE_INITIALIZATION, com);
    }
    state.comStarted = SUCCEEDED(com);
    const HRESULT hr = DaoStartEngine(&state.engine);
    if (FAILED(hr)) {
        if (std::exchange(state.comStarted, false)) CoUninitialize();
        AfxThrowDaoException(AFX_DAO_ERROR_ENGINE_INITIALIZATION, hr);
    }
    if (CWinApp* app = AfxGetApp()) app->m_lpfnDaoTerm = &AfxDaoTerm;
}

void AfxDaoTerm() {
    DaoState& state = State();
    DaoStopEngine(&state.engine);
    if (std::exchange(state.comStarted, false)) CoUninitialize();
}

DAODBEngine* AfxDaoGetEngine() {
    AfxDaoInit();
    return State().engine;
}

void AfxDaoCheck(SCODE scode) {
    if (SUCCEEDED(scode)) return;
    if (scode == E_OUTOFMEMORY) AfxThrowMemoryException();
    AfxThrowDaoException(NO_AFX_DAO_ERROR, scode);
}

void AfxThrowDaoException(int nAfxDaoError, SCODE scode) {
    auto* e = new CDaoException;
    e->m_nAfxDaoError = nAfxDaoError;
    e->m_scode = scode;
    if (FAILED(scode)) {
        std::vector<CDaoErrorInfo> errors = EngineErrors(State().engine);
        if (!errors.empty() && Describes(errors.back(), scode)) e->SetErrors(std::move(errors));
        // The failed call also left its error information for the thread; the
        // exception carries it now, so none is left behind.
        IErrorInfo* pErrorInfo = nullptr;
        if (GetErrorInfo(0, &pErrorInfo) == S_OK && pErrorInfo != nullptr) pErrorInfo->Release();
    }
    throw e;
}
