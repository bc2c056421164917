#pragma once
// The state of one DBEngine object, shared with the objects it makes, and the
// error handling of every DAO method.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/com/comfailure.h"
#include "platform/dao/dao.h"

namespace dao {

// The engine side of a workspace, for the Workspaces collection.
struct IDaoWorkspaceCore : IUnknown {
    virtual std::string name() const = 0;
    virtual bool isOpen() const = 0;
};

}  // namespace dao

COM_DECLARE_UUID(dao::IDaoWorkspaceCore, "8C3E2A71-5D4B-4F1C-A2E9-7B6D0C1F3A21");

namespace dao {

_COM_SMARTPTR_TYPEDEF(IDaoWorkspaceCore, __uuidof(IDaoWorkspaceCore));

inline constexpr const char* kEngineSource = "DAO.DBEngine";
inline constexpr const char* kWorkspaceSource = "DAO.Workspace";

struct EngineState {
    std::string defaultUser;  // no account is assumed until one is set
    std::string defaultPassword;
    std::string systemDb;
    std::vector<ComFailure> errors;        // the Errors collection: the last failure's entries
    std::vector<IDispatchPtr> workspaces;  // the Workspaces collection, in order of Append
};

// Runs one method of interface Primary: S_OK, or the failure's HRESULT with the
// failure recorded as the engine's Errors collection and as error information.
template <class Primary, class Work>
HRESULT DaoMethod(const std::shared_ptr<EngineState>& state, const char* source, Work&& work) {
    if (auto failure = CatchFailure(source, std::forward<Work>(work))) {
        if (state) state->errors = {*failure};
        return ReportComError(failure->hr, __uuidof(Primary), failure->source,
                              failure->description);
    }
    return S_OK;
}

// Raises the object model's error `number` with its standard description.
[[noreturn]] void ThrowDaoError(LONG number, const char* source);
// Raises E_POINTER for a null [out] argument.
void RequireOut(const void* p, const char* source);
// The position named by a collection's Item: an index of an integer type, or a
// name (8-bit text, letter case ignored); E_DAO_ItemNotFound otherwise.
std::size_t PositionOf(const VARIANT& item, const std::vector<std::string>& names,
                       const char* source);
// The count of a collection as DAO gives it, in 16 bits.
short CountOf(std::size_t size, const char* source);
// 8-bit text in a new BSTR; throws std::bad_alloc when out of memory.
BSTR AllocOrThrow(const std::string& text);
// The workgroup named by SystemDB; WorkgroupUnusable when none is set.
std::filesystem::path RequireSystemDb(const EngineState& state);

// A new, logged-on workspace object.
DAOWorkspace* NewWorkspace(std::weak_ptr<EngineState> engine, std::string name,
                           std::filesystem::path workgroup, std::string userName);
DAOWorkspaces* NewWorkspaces(std::shared_ptr<EngineState> engine);
DAOErrors* NewErrors(std::shared_ptr<EngineState> engine);

HRESULT CreateEngine(REFIID riid, void** ppv);

}  // namespace dao
