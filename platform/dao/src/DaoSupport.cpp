// Shared pieces of the DAO objects: text, errors, collection arguments.

#include <limits>
#include <new>

#include "DaoCore.h"
#include "platform/com/collectionitem.h"
#include "talveron/engine/Error.h"

BSTR DaoAllocString(std::string_view text) {
    if (text.size() > std::numeric_limits<UINT>::max() / 2) return nullptr;
    return SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size()));
}

std::string DaoString(BSTR bstr) {
    if (bstr == nullptr) return {};
    return std::string(reinterpret_cast<const char*>(bstr), SysStringByteLen(bstr));
}

namespace dao {

namespace {

const char* describe(LONG number) {
    switch (number) {
        case E_DAO_InvalidArgument:
            return "Invalid argument.";
        case E_DAO_ItemNotFound:
            return "Item not found in this collection.";
        case E_DAO_ObjectAlreadyInCollection:
            return "Cannot append. An object with that name is already in the collection.";
        case E_DAO_ObjectInvalid:
            return "Object invalid or no longer set.";
        default:
            return "Unexpected error.";
    }
}

}  // namespace

void ThrowDaoError(LONG number, const char* source) {
    ThrowComFailure(number, source, describe(number));
}

void RequireOut(const void* p, const char* source) {
    if (p == nullptr) throw ComFailureException({E_POINTER, E_POINTER, source, "Invalid pointer."});
}

std::size_t PositionOf(const VARIANT& item, const std::vector<std::string>& names,
                       const char* source) {
    const auto position = CollectionPosition(item, names, &DaoString);
    if (!position) ThrowDaoError(E_DAO_ItemNotFound, source);
    return *position;
}

short CountOf(std::size_t size, const char* source) {
    if (size > static_cast<std::size_t>(std::numeric_limits<short>::max())) {
        ThrowComFailure(E_DAO_InvalidArgument, source, "The collection has too many members.");
    }
    return static_cast<short>(size);
}

BSTR AllocOrThrow(const std::string& text) {
    BSTR result = DaoAllocString(text);
    if (result == nullptr) throw std::bad_alloc();
    return result;
}

std::filesystem::path RequireSystemDb(const EngineState& state) {
    if (state.systemDb.empty()) {
        throw talveron::engine::Error(talveron::engine::ErrorCode::WorkgroupUnusable,
                                      "No workgroup information file is set (SystemDB).");
    }
    return state.systemDb;
}

}  // namespace dao
