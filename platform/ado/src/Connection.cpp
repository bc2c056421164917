// The ADO Connection object and its one provider, the Jet OLE DB provider,
// which opens a database of the engine with a workgroup's account.

#include "ConnectionCore.h"
#include "platform/ado/connectionstring.h"
#include "platform/com/automationobject.h"
#include "platform/com/comfailure.h"
#include "talveron/engine/Error.h"

namespace ado {
namespace {

using talveron::engine::Credentials;
using talveron::engine::Database;
using talveron::engine::OpenOptions;

OpenSession openJetDatabase(const ConnectionString& pairs, const std::string& userArgument,
                            const std::string& passwordArgument, long mode) {
    const std::string dataSource = pairs.value("data source").value_or("");
    if (dataSource.empty()) {
        ThrowComFailure(adErrInvalidArgument, kJetProvider,
                        "The connection string names no database (Data Source).");
    }
    const std::string workgroup = pairs.value("jet oledb:system database").value_or("");
    if (workgroup.empty()) {
        throw talveron::engine::Error(talveron::engine::ErrorCode::WorkgroupUnusable,
                                      "The connection string names no workgroup information file "
                                      "(Jet OLEDB:System Database).");
    }
    Credentials credentials;
    credentials.workgroup = workgroup;
    // No account is assumed when none is named: the engine refuses an empty user ID.
    credentials.user = !userArgument.empty() ? userArgument : pairs.value("user id").value_or("");
    credentials.password =
        !passwordArgument.empty() ? passwordArgument : pairs.value("password").value_or("");
    OpenOptions options;
    options.readOnly = (mode & adModeReadWrite) == adModeRead;
    options.exclusive = (mode & adModeShareExclusive) != 0;
    return OpenSession{Database::open(dataSource, credentials, options), workgroup};
}

class ConnectionObject final : public AutomationObject<_Connection, IAdoConnectionCore> {
public:
    ConnectionObject() : m_core(std::make_shared<ConnectionCore>()) {}
    ~ConnectionObject() override { m_core->session.reset(); }

    std::shared_ptr<ConnectionCore> core() override { return m_core; }

    HRESULT get_Provider(BSTR* pbstr) override {
        return method([&] {
            RequireOut(pbstr, kConnectionSource);
            *pbstr = Utf8ToBstr(m_provider);
        });
    }
    HRESULT put_Provider(BSTR pbstr) override {
        return method([&] {
            requireClosed();
            m_provider = BstrToUtf8(pbstr);
        });
    }
    HRESULT get_Mode(long* plMode) override {
        return method([&] {
            RequireOut(plMode, kConnectionSource);
            *plMode = m_mode;
        });
    }
    HRESULT put_Mode(long lMode) override {
        return method([&] {
            requireClosed();
            m_mode = lMode;
        });
    }
    HRESULT get_State(long* plObjState) override {
        return method([&] {
            RequireOut(plObjState, kConnectionSource);
            *plObjState = m_core->session ? adStateOpen : adStateClosed;
        });
    }
    HRESULT get_ConnectionString(BSTR* pbstr) override {
        return method([&] {
            RequireOut(pbstr, kConnectionSource);
            *pbstr = Utf8ToBstr(m_connectionString);
        });
    }
    HRESULT put_ConnectionString(BSTR pbstr) override {
        return method([&] {
            requireClosed();
            m_connectionString = BstrToUtf8(pbstr);
        });
    }

    HRESULT raw_Open(BSTR connectionString, BSTR userId, BSTR password, long options) override {
        return method([&] {
            requireClosed();
            if (options != adConnectUnspecified && options != 0) {
                ThrowAdoError(adErrInvalidArgument, kConnectionSource);
            }
            if (SysStringLen(connectionString) > 0)
                m_connectionString = BstrToUtf8(connectionString);
            ConnectionString pairs;
            try {
                pairs = ConnectionString::parse(m_connectionString);
            } catch (const ConnectionStringError& e) {
                ThrowComFailure(adErrInvalidArgument, kConnectionSource, e.what());
            }
            if (auto provider = pairs.value("provider")) m_provider = *provider;
            if (!EqualsIgnoringAsciiCase(m_provider, kJetProvider)) {
                ThrowAdoError(adErrProviderNotFound, kConnectionSource);
            }
            m_core->session =
                openJetDatabase(pairs, BstrToUtf8(userId), BstrToUtf8(password), m_mode);
        });
    }

    HRESULT raw_Close() override {
        return method([&] {
            if (!m_core->session) ThrowAdoError(adErrObjectClosed, kConnectionSource);
            m_core->session.reset();
        });
    }

private:
    template <class Work>
    HRESULT method(Work&& work) {
        return ComMethod(__uuidof(_Connection), kConnectionSource, std::forward<Work>(work));
    }

    void requireClosed() const {
        if (m_core->session) ThrowAdoError(adErrObjectOpen, kConnectionSource);
    }

    std::shared_ptr<ConnectionCore> m_core;
    std::string m_provider;
    std::string m_connectionString;
    long m_mode = adModeUnknown;
};

}  // namespace

HRESULT CreateConnection(REFIID riid, void** ppv) {
    return CreateComObject<ConnectionObject>(riid, ppv);
}

}  // namespace ado
