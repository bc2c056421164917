// Workspaces: a logged-on account of the workgroup, the Workspaces collection
// of the engine, and the workgroup's Users.

#include <algorithm>

#include "DaoCore.h"
#include "platform/com/automationobject.h"
#include "talveron/engine/Workgroup.h"

namespace dao {
namespace {

class UserObject final : public AutomationObject<DAOUser> {
public:
    UserObject(std::weak_ptr<EngineState> engine, std::string name)
        : m_engine(std::move(engine)), m_name(std::move(name)) {}

    HRESULT get_Name(BSTR* pbstr) override {
        return DaoMethod<DAOUser>(m_engine.lock(), kWorkspaceSource, [&] {
            RequireOut(pbstr, kWorkspaceSource);
            *pbstr = AllocOrThrow(m_name);
        });
    }

private:
    std::weak_ptr<EngineState> m_engine;
    std::string m_name;
};

// The accounts of the workgroup, listed when the collection is made.
class UsersObject final : public AutomationObject<DAOUsers> {
public:
    UsersObject(std::weak_ptr<EngineState> engine, std::vector<std::string> names)
        : m_engine(std::move(engine)), m_names(std::move(names)) {}

    HRESULT get_Count(short* c) override {
        return method([&] {
            RequireOut(c, kWorkspaceSource);
            *c = CountOf(m_names.size(), kWorkspaceSource);
        });
    }
    HRESULT get_Item(VARIANT Item, DAOUser** ppusr) override {
        return method([&] {
            RequireOut(ppusr, kWorkspaceSource);
            *ppusr = nullptr;
            *ppusr = new UserObject(m_engine, m_names[PositionOf(Item, m_names, kWorkspaceSource)]);
        });
    }

private:
    template <class Work>
    HRESULT method(Work&& work) {
        return DaoMethod<DAOUsers>(m_engine.lock(), kWorkspaceSource, std::forward<Work>(work));
    }

    std::weak_ptr<EngineState> m_engine;
    std::vector<std::string> m_names;
};

// Holds the engine weakly: the engine's Workspaces collection holds the workspace.
class WorkspaceObject final : public AutomationObject<DAOWorkspace, IDaoWorkspaceCore> {
public:
    WorkspaceObject(std::weak_ptr<EngineState> engine, std::string name,
                    std::filesystem::path workgroup, std::string userName)
        : m_engine(std::move(engine)),
          m_name(std::move(name)),
          m_workgroup(std::move(workgroup)),
          m_userName(std::move(userName)) {}

    std::string name() const override { return m_name; }
    bool isOpen() const override { return m_open; }

    HRESULT get_Name(BSTR* pbstr) override {
        return method([&] {
            RequireOut(pbstr, kWorkspaceSource);
            requireOpen();
            *pbstr = AllocOrThrow(m_name);
        });
    }
    HRESULT get_UserName(BSTR* pbstr) override {
        return method([&] {
            RequireOut(pbstr, kWorkspaceSource);
            requireOpen();
            *pbstr = AllocOrThrow(m_userName);
        });
    }
    HRESULT get_Users(DAOUsers** ppusrs) override {
        return method([&] {
            RequireOut(ppusrs, kWorkspaceSource);
            *ppusrs = nullptr;
            requireOpen();
            auto users = talveron::engine::Workgroup::open(m_workgroup, true).users();
            *ppusrs = new UsersObject(m_engine, std::move(users));
        });
    }
    HRESULT Close() override {
        return method([&] {
            requireOpen();
            m_open = false;
            if (auto engine = m_engine.lock()) {
                IDaoWorkspaceCore* self = this;
                std::erase_if(engine->workspaces, [&](const IDispatchPtr& w) {
                    IDaoWorkspaceCore* core = nullptr;
                    if (FAILED(w->QueryInterface(&core))) return false;
                    core->Release();
                    return core == self;
                });
            }
        });
    }

private:
    template <class Work>
    HRESULT method(Work&& work) {
        return DaoMethod<DAOWorkspace>(m_engine.lock(), kWorkspaceSource, std::forward<Work>(work));
    }
    void requireOpen() const {
        if (!m_open) ThrowDaoError(E_DAO_ObjectInvalid, kWorkspaceSource);
    }

    std::weak_ptr<EngineState> m_engine;
    std::string m_name;
    std::filesystem::path m_workgroup;
    std::string m_userName;
    bool m_open = true;
};

class WorkspacesObject final : public AutomationObject<DAOWorkspaces> {
public:
    explicit WorkspacesObject(std::shared_ptr<EngineState> engine) : m_engine(std::move(engine)) {}

    HRESULT get_Count(short* c) override {
        return method([&] {
            RequireOut(c, kEngineSource);
            *c = CountOf(m_engine->workspaces.size(), kEngineSource);
        });
    }
    HRESULT get_Item(VARIANT Item, DAOWorkspace** ppwrk) override {
        return method([&] {
            RequireOut(ppwrk, kEngineSource);
            *ppwrk = nullptr;
            std::vector<std::string> names;
            for (const IDispatchPtr& w : m_engine->workspaces) names.push_back(coreOf(w)->name());
            IDispatch* found = m_engine->workspaces[PositionOf(Item, names, kEngineSource)];
            if (FAILED(found->QueryInterface(ppwrk)))
                ThrowDaoError(E_DAO_ItemNotFound, kEngineSource);
        });
    }
    HRESULT Append(IDispatch* Object) override {
        return method([&] {
            IDaoWorkspaceCore* workspace = nullptr;
            if (Object == nullptr || FAILED(Object->QueryInterface(&workspace))) {
                ThrowComFailure(E_DAO_InvalidArgument, kEngineSource,
                                "Only a workspace made by CreateWorkspace can be appended.");
            }
            const std::string name = workspace->name();
            const bool open = workspace->isOpen();
            workspace->Release();
            if (!open) ThrowDaoError(E_DAO_ObjectInvalid, kEngineSource);
            for (const IDispatchPtr& w : m_engine->workspaces) {
                if (EqualsIgnoringAsciiCase(coreOf(w)->name(), name)) {
                    ThrowDaoError(E_DAO_ObjectAlreadyInCollection, kEngineSource);
                }
            }
            m_engine->workspaces.push_back(IDispatchPtr(Object));
        });
    }

private:
    template <class Work>
    HRESULT method(Work&& work) {
        return DaoMethod<DAOWorkspaces>(m_engine, kEngineSource, std::forward<Work>(work));
    }
    // The collection holds only workspaces, which all have the core interface.
    static IDaoWorkspaceCorePtr coreOf(const IDispatchPtr& w) { return IDaoWorkspaceCorePtr(w); }

    std::shared_ptr<EngineState> m_engine;
};

}  // namespace

DAOWorkspace* NewWorkspace(std::weak_ptr<EngineState> engine, std::string name,
                           std::filesystem::path workgroup, std::string userName) {
    return new WorkspaceObject(std::move(engine), std::move(name), std::move(workgroup),
                               std::move(userName));
}

DAOWorkspaces* NewWorkspaces(std::shared_ptr<EngineState> engine) {
    return new WorkspacesObject(std::move(engine));
}

}  // namespace dao
