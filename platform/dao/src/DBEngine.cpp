// The DBEngine object: default account, workgroup, workspaces, compaction.

#include "DaoCore.h"
#include "platform/com/automationobject.h"
#include "talveron/engine/Compaction.h"
#include "talveron/engine/Workgroup.h"

namespace dao {
namespace {

using talveron::engine::Credentials;

bool omitted(const VARIANT& v) {
    return v.vt == VT_EMPTY || (v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND);
}

class EngineObject final : public AutomationObject<DAODBEngine> {
public:
    EngineObject() : m_state(std::make_shared<EngineState>()) {}

    HRESULT put_DefaultUser(BSTR bstr) override {
        return method([&] { m_state->defaultUser = DaoString(bstr); });
    }
    HRESULT put_DefaultPassword(BSTR bstr) override {
        return method([&] { m_state->defaultPassword = DaoString(bstr); });
    }
    HRESULT get_SystemDB(BSTR* pbstr) override {
        return method([&] {
            RequireOut(pbstr, kEngineSource);
            *pbstr = AllocOrThrow(m_state->systemDb);
        });
    }
    HRESULT put_SystemDB(BSTR bstr) override {
        return method([&] { m_state->systemDb = DaoString(bstr); });
    }
    HRESULT get_Workspaces(DAOWorkspaces** ppworks) override {
        return method([&] {
            RequireOut(ppworks, kEngineSource);
            *ppworks = NewWorkspaces(m_state);
        });
    }
    HRESULT get_Errors(DAOErrors** pperrs) override {
        // Reading the errors must not replace them, so no failure is recorded here.
        if (pperrs == nullptr) return E_POINTER;
        try {
            *pperrs = NewErrors(m_state);
            return S_OK;
        } catch (const std::bad_alloc&) {
            *pperrs = nullptr;
            return E_OUTOFMEMORY;
        }
    }

    HRESULT CreateWorkspace(BSTR Name, BSTR UserName, BSTR Password, VARIANT UseType,
                            DAOWorkspace** ppwrk) override {
        return method([&] {
            RequireOut(ppwrk, kEngineSource);
            *ppwrk = nullptr;
            if (!omitted(UseType)) {
                VARIANT type;
                VariantInit(&type);
                if (FAILED(VariantChangeType(&type, &UseType, 0, VT_I4)) || type.lVal != dbUseJet) {
                    ThrowComFailure(E_DAO_InvalidArgument, kEngineSource,
                                    "Only workspaces of the database engine (dbUseJet) are "
                                    "available.");
                }
            }
            const std::filesystem::path workgroup = RequireSystemDb(*m_state);
            const auto account = talveron::engine::Workgroup::open(workgroup, true)
                                     .authenticate(DaoString(UserName), DaoString(Password));
            *ppwrk = NewWorkspace(m_state, DaoString(Name), workgroup, account.name());
        });
    }

    HRESULT CompactDatabase(BSTR SrcName, BSTR DstName, VARIANT DstLocale, VARIANT Options,
                            VARIANT SrcLocale) override {
        return method([&] {
            if (!omitted(SrcLocale) &&
                !(SrcLocale.vt == VT_BSTR && DaoString(SrcLocale.bstrVal).empty())) {
                ThrowComFailure(E_DAO_InvalidArgument, kEngineSource,
                                "The engine's databases have no database password; the "
                                "workgroup account opens them.");
            }
            int options = 0;
            if (!omitted(Options)) {
                VARIANT value;
                VariantInit(&value);
                if (FAILED(VariantChangeType(&value, &Options, 0, VT_I4))) {
                    ThrowDaoError(E_DAO_InvalidArgument, kEngineSource);
                }
                options = value.lVal;
            }
            if (!omitted(DstLocale) && DstLocale.vt != VT_BSTR) {
                ThrowDaoError(E_DAO_InvalidArgument, kEngineSource);
            }
            const Credentials credentials{RequireSystemDb(*m_state), m_state->defaultUser,
                                          m_state->defaultPassword};
            const std::filesystem::path source = DaoString(SrcName);
            std::string locale;
            if (omitted(DstLocale)) {
                // No locale given: the copy keeps the source's.
                locale = talveron::engine::recordedLocale(
                             talveron::engine::Database::open(source, credentials, {false, true}))
                             .toString();
            } else {
                locale = DaoString(DstLocale.bstrVal);
            }
            talveron::engine::compact(source, DaoString(DstName), locale, options, credentials);
        });
    }

private:
    template <class Work>
    HRESULT method(Work&& work) {
        return DaoMethod<DAODBEngine>(m_state, kEngineSource, std::forward<Work>(work));
    }

    std::shared_ptr<EngineState> m_state;
};

}  // namespace

HRESULT CreateEngine(REFIID riid, void** ppv) {
    return CreateComObject<EngineObject>(riid, ppv);
}

}  // namespace dao

HRESULT DaoStartEngine(DAODBEngine** ppEngine) {
    return CoCreateInstance(CLSID_CDAODBEngine, nullptr, CLSCTX_INPROC_SERVER, IID_IDAODBEngine,
                            reinterpret_cast<void**>(ppEngine));
}

void DaoStopEngine(DAODBEngine** ppEngine) {
    if (ppEngine != nullptr && *ppEngine != nullptr) {
        (*ppEngine)->Release();
        *ppEngine = nullptr;
    }
}

bool RegisterDaoClasses() {
    static const bool registered =
        SUCCEEDED(CoRegisterInprocClass(CLSID_CDAODBEngine, &dao::CreateEngine));
    return registered;
}
