// Shared pieces of the ADO objects: the object model's own errors and checks.

#include "ConnectionCore.h"
#include "platform/com/comfailure.h"

namespace ado {

namespace {

const char* describe(long number) {
    switch (number) {
        case adErrInvalidArgument:
            return "Arguments are of the wrong type, are out of acceptable range, or are in "
                   "conflict with one another.";
        case adErrItemNotFound:
            return "Item cannot be found in the collection corresponding to the requested name "
                   "or ordinal.";
        case adErrObjectClosed:
            return "Operation is not allowed when the object is closed.";
        case adErrObjectOpen:
            return "Operation is not allowed when the object is open.";
        case adErrProviderNotFound:
            return "Provider cannot be found. It may not be properly installed.";
        case adErrInvalidConnection:
            return "The connection cannot be used to perform this operation. It is either closed "
                   "or invalid in this context.";
        default:
            return "Unexpected error.";
    }
}

}  // namespace

void ThrowAdoError(long number, const char* source) {
    ThrowComFailure(static_cast<LONG>(number), source, describe(number));
}

const OpenSession& RequireOpen(const std::shared_ptr<ConnectionCore>& core, const char* source) {
    if (!core || !core->session) ThrowAdoError(adErrInvalidConnection, source);
    return *core->session;
}

void RequireOut(const void* p, const char* source) {
    if (p == nullptr) throw ComFailureException({E_POINTER, E_POINTER, source, "Invalid pointer."});
}

}  // namespace ado
