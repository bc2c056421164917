// The ADOX Catalog with its Groups and Users collections: the security
// information of the workgroup behind the catalog's active connection.

#include <vector>

#include "ConnectionCore.h"
#include "platform/ado/adox.h"
#include "platform/com/automationobject.h"
#include "platform/com/collectionitem.h"
#include "platform/com/comfailure.h"
#include "talveron/engine/Workgroup.h"

namespace ado {
namespace {

using talveron::engine::Workgroup;

template <class Primary, class Work>
HRESULT catalogMethod(Work&& work) {
    return ComMethod(__uuidof(Primary), kCatalogSource, std::forward<Work>(work));
}

// The position named by a collection's Item argument: a zero-based index of
// any integer type, or a name (letter case ignored, as account names are).
std::size_t positionOf(const VARIANT& item, const std::vector<std::string>& names) {
    const auto position = CollectionPosition(item, names, &BstrToUtf8);
    if (!position) ThrowAdoError(adErrItemNotFound, kCatalogSource);
    return *position;
}

class UserObject final : public AutomationObject<_User> {
public:
    UserObject(std::shared_ptr<ConnectionCore> core, std::string name)
        : m_core(std::move(core)), m_name(std::move(name)) {}

    HRESULT get_Name(BSTR* pVal) override {
        return catalogMethod<_User>([&] {
            RequireOut(pVal, kCatalogSource);
            *pVal = Utf8ToBstr(m_name);
        });
    }
    HRESULT raw_ChangePassword(BSTR oldPassword, BSTR newPassword) override {
        return catalogMethod<_User>([&] {
            const OpenSession& session = RequireOpen(m_core, kCatalogSource);
            Workgroup::open(session.workgroup)
                .changePassword(m_name, BstrToUtf8(oldPassword), BstrToUtf8(newPassword));
        });
    }

private:
    std::shared_ptr<ConnectionCore> m_core;
    std::string m_name;
};

// A collection of named objects, listed when the collection is made.
template <class Collection, class ItemInterface, class ItemObject>
class NamedCollection final : public AutomationObject<Collection> {
public:
    NamedCollection(std::shared_ptr<ConnectionCore> core, std::vector<std::string> names)
        : m_core(std::move(core)), m_names(std::move(names)) {}

    HRESULT get_Count(long* c) override {
        return catalogMethod<Collection>([&] {
            RequireOut(c, kCatalogSource);
            RequireOpen(m_core, kCatalogSource);
            *c = static_cast<long>(m_names.size());
        });
    }
    HRESULT get_Item(VARIANT item, ItemInterface** ppvObject) override {
        return catalogMethod<Collection>([&] {
            RequireOut(ppvObject, kCatalogSource);
            *ppvObject = nullptr;
            RequireOpen(m_core, kCatalogSource);
            *ppvObject = new ItemObject(m_core, m_names[positionOf(item, m_names)]);
        });
    }

private:
    std::shared_ptr<ConnectionCore> m_core;
    std::vector<std::string> m_names;
};

using UsersCollection = NamedCollection<Users, _User, UserObject>;

class GroupObject final : public AutomationObject<_Group> {
public:
    GroupObject(std::shared_ptr<ConnectionCore> core, std::string name)
        : m_core(std::move(core)), m_name(std::move(name)) {}

    HRESULT get_Name(BSTR* pVal) override {
        return catalogMethod<_Group>([&] {
            RequireOut(pVal, kCatalogSource);
            *pVal = Utf8ToBstr(m_name);
        });
    }
    HRESULT get_Users(Users** ppvObject) override {
        return catalogMethod<_Group>([&] {
            RequireOut(ppvObject, kCatalogSource);
            *ppvObject = nullptr;
            const OpenSession& session = RequireOpen(m_core, kCatalogSource);
            auto members = Workgroup::open(session.workgroup, true).usersOfGroup(m_name);
            *ppvObject = new UsersCollection(m_core, std::move(members));
        });
    }

private:
    std::shared_ptr<ConnectionCore> m_core;
    std::string m_name;
};

using GroupsCollection = NamedCollection<Groups, _Group, GroupObject>;

class CatalogObject final : public AutomationObject<_Catalog> {
public:
    HRESULT get_Groups(Groups** ppvObject) override {
        return catalogMethod<_Catalog>([&] {
            RequireOut(ppvObject, kCatalogSource);
            *ppvObject = nullptr;
            const OpenSession& session = RequireOpen(m_core, kCatalogSource);
            auto groups = Workgroup::open(session.workgroup, true).groups();
            *ppvObject = new GroupsCollection(m_core, std::move(groups));
        });
    }
    HRESULT get_Users(Users** ppvObject) override {
        return catalogMethod<_Catalog>([&] {
            RequireOut(ppvObject, kCatalogSource);
            *ppvObject = nullptr;
            const OpenSession& session = RequireOpen(m_core, kCatalogSource);
            auto users = Workgroup::open(session.workgroup, true).users();
            *ppvObject = new UsersCollection(m_core, std::move(users));
        });
    }

    HRESULT put_ActiveConnection(VARIANT pVal) override {
        if (pVal.vt == VT_BSTR) return openOwnConnection(pVal.bstrVal);
        return catalogMethod<_Catalog>([&] {
            if (pVal.vt != VT_DISPATCH && pVal.vt != VT_UNKNOWN) {
                ThrowAdoError(adErrInvalidArgument, kCatalogSource);
            }
            attach(pVal.punkVal);
        });
    }
    HRESULT putref_ActiveConnection(IDispatch* pVal) override {
        return catalogMethod<_Catalog>([&] { attach(pVal); });
    }
    HRESULT get_ActiveConnection(VARIANT* pVal) override {
        return catalogMethod<_Catalog>([&] {
            RequireOut(pVal, kCatalogSource);
            VariantInit(pVal);
            if (IDispatch* connection = m_connection.GetInterfacePtr()) {
                connection->AddRef();
                pVal->vt = VT_DISPATCH;
                pVal->pdispVal = connection;
            }
        });
    }

private:
    // Binds the catalog to an open Connection object.
    void attach(IUnknown* connection) {
        IAdoConnectionCore* source = nullptr;
        if (connection == nullptr || FAILED(connection->QueryInterface(&source))) {
            ThrowComFailure(adErrInvalidArgument, kCatalogSource,
                            "The active connection must be an ADO Connection object.");
        }
        std::shared_ptr<ConnectionCore> core = source->core();
        source->Release();
        RequireOpen(core, kCatalogSource);
        m_connection = IDispatchPtr(IUnknownPtr(connection));
        m_core = std::move(core);
    }

    // A connection string: the catalog opens a Connection of its own with it.
    HRESULT openOwnConnection(BSTR connectionString) {
        _ConnectionPtr connection;
        HRESULT hr = CreateConnection(__uuidof(_Connection), reinterpret_cast<void**>(&connection));
        if (SUCCEEDED(hr)) hr = connection->raw_Open(connectionString, nullptr, nullptr, 0);
        if (FAILED(hr)) return hr;  // the connection has set the error information
        return putref_ActiveConnection(connection);
    }

    IDispatchPtr m_connection;
    std::shared_ptr<ConnectionCore> m_core;
};

}  // namespace

HRESULT CreateCatalog(REFIID riid, void** ppv) {
    return CreateComObject<CatalogObject>(riid, ppv);
}

}  // namespace ado
