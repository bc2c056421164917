#pragma once
// What an open ADO connection holds, shared by the Connection object and the
// catalog objects that work through it.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ado/adodb.h"
#include "talveron/engine/Database.h"

namespace ado {

inline constexpr const char* kConnectionSource = "ADODB.Connection";
inline constexpr const char* kCatalogSource = "ADOX.Catalog";
inline constexpr const char* kJetProvider = "Microsoft.Jet.OLEDB.4.0";

struct OpenSession {
    talveron::engine::Database database;  // registered as in use until closed
    std::filesystem::path workgroup;
};

struct ConnectionCore {
    std::optional<OpenSession> session;  // empty while the connection is closed
};

// The engine session behind a Connection object, for the catalog.
struct IAdoConnectionCore : IUnknown {
    virtual std::shared_ptr<ConnectionCore> core() = 0;
};

// Raises the object model's error `number` with its standard description.
[[noreturn]] void ThrowAdoError(long number, const char* source);

// The session of `core`; raises adErrInvalidConnection when it is closed.
const OpenSession& RequireOpen(const std::shared_ptr<ConnectionCore>& core, const char* source);

// Raises E_POINTER for a null [out] argument.
void RequireOut(const void* p, const char* source);

HRESULT CreateConnection(REFIID riid, void** ppv);
HRESULT CreateCatalog(REFIID riid, void** ppv);

}  // namespace ado

COM_DECLARE_UUID(ado::IAdoConnectionCore, "3B1F6E52-7C1A-4E0B-9D51-6C2E0A4F8B11");
