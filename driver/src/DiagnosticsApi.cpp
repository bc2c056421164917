// Entry points that read diagnostic records: SQLGetDiagRec, SQLGetDiagField
// and the ODBC 2 SQLError. They leave the records in place, except SQLError,
// which removes each record it returns.

#include <sql.h>
#include <sqlext.h>

#include <cstring>
#include <string>
#include <string_view>

#include "Connection.h"
#include "Handle.h"
#include "Statement.h"
#include "Text.h"

using namespace talveron::odbc;

namespace {

HandleKind kindOf(SQLSMALLINT handleType, bool& known) {
    known = true;
    switch (handleType) {
        case SQL_HANDLE_ENV:
            return HandleKind::Environment;
        case SQL_HANDLE_DBC:
            return HandleKind::Connection;
        case SQL_HANDLE_STMT:
            return HandleKind::Statement;
        default:
            known = false;
            return HandleKind::Environment;
    }
}

Handle* findTyped(SQLSMALLINT handleType, SQLHANDLE handle) {
    bool known = false;
    const HandleKind kind = kindOf(handleType, known);
    Handle* found = Handle::find(handle);
    return known && found != nullptr && found->kind() == kind ? found : nullptr;
}

// Writes text for a diagnostic call: cutting it makes the call return
// SQL_SUCCESS_WITH_INFO, but adds no record.
template <class Length>
SQLRETURN writeDiagText(std::string_view text, SQLPOINTER buffer, SQLLEN capacity, Length* length) {
    Diagnostics scratch;
    return writeText(scratch, text, buffer, capacity, length);
}

void writeState(std::string_view state, const Handle& handle, SQLCHAR* out) {
    if (out != nullptr) {
        const std::string_view shown = stateForVersion(state, handle.odbcVersion());
        std::memcpy(out, shown.data(), shown.size());
        out[shown.size()] = '\0';
    }
}

// The data source a handle belongs to, for the connection and server names.
std::string dataSourceOf(Handle& handle) {
    switch (handle.kind()) {
        case HandleKind::Connection:
            return static_cast<Connection&>(handle).dataSourceName();
        case HandleKind::Statement:
            return static_cast<Statement&>(handle).connection().dataSourceName();
        default:
            return {};
    }
}

bool isOdbcSubclass(std::string_view state) {
    static constexpr std::string_view kOdbcStates[] = {"HY095", "HY097", "HY098", "HY099", "HY100",
                                                       "HY101", "HY105", "HY107", "HY109", "HY110",
                                                       "HY111", "HYT00", "HYT01"};
    if (state.starts_with("IM") || (state.size() > 2 && state[2] == 'S')) {
        return true;
    }
    for (const std::string_view odbc : kOdbcStates) {
        if (odbc == state) {
            return true;
        }
    }
    return false;
}

SQLRETURN headerField(Handle& handle, SQLSMALLINT field, SQLPOINTER out, SQLSMALLINT bufferLength,
                      SQLSMALLINT* length) {
    const Diagnostics& diagnostics = handle.diagnostics();
    const bool statement = handle.kind() == HandleKind::Statement;
    switch (field) {
        case SQL_DIAG_NUMBER:
            return writeValue(static_cast<SQLINTEGER>(diagnostics.records().size()), out);
        case SQL_DIAG_RETURNCODE:
            return writeValue(diagnostics.returnCode, out);
        case SQL_DIAG_ROW_COUNT:
            return statement ? writeValue(diagnostics.rowCount, out) : SQL_ERROR;
        case SQL_DIAG_CURSOR_ROW_COUNT:
            return statement ? writeValue(static_cast<Statement&>(handle).rowCount(), out)
                             : SQL_ERROR;
        case SQL_DIAG_DYNAMIC_FUNCTION:
            return statement ? writeDiagText("", out, bufferLength, length) : SQL_ERROR;
        case SQL_DIAG_DYNAMIC_FUNCTION_CODE:
            return statement ? writeValue(SQLINTEGER{SQL_DIAG_UNKNOWN_STATEMENT}, out) : SQL_ERROR;
        default:
            return SQL_ERROR;
    }
}

SQLRETURN recordField(Handle& handle, const DiagRecord& record, SQLSMALLINT field, SQLPOINTER out,
                      SQLSMALLINT bufferLength, SQLSMALLINT* length) {
    const bool statement = handle.kind() == HandleKind::Statement;
    switch (field) {
        case SQL_DIAG_SQLSTATE:
            return writeDiagText(stateForVersion(record.sqlState, handle.odbcVersion()), out,
                                 bufferLength, length);
        case SQL_DIAG_NATIVE:
            return writeValue(record.nativeError, out);
        case SQL_DIAG_MESSAGE_TEXT:
            return writeDiagText(record.message, out, bufferLength, length);
        case SQL_DIAG_CLASS_ORIGIN:
            return writeDiagText(record.sqlState.starts_with("IM") ? "ODBC 3.0" : "ISO 9075", out,
                                 bufferLength, length);
        case SQL_DIAG_SUBCLASS_ORIGIN:
            return writeDiagText(isOdbcSubclass(record.sqlState) ? "ODBC 3.0" : "ISO 9075", out,
                                 bufferLength, length);
        case SQL_DIAG_CONNECTION_NAME:
        case SQL_DIAG_SERVER_NAME:
            return writeDiagText(dataSourceOf(handle), out, bufferLength, length);
        case SQL_DIAG_COLUMN_NUMBER:
            return statement ? writeValue(SQLINTEGER{SQL_COLUMN_NUMBER_UNKNOWN}, out) : SQL_ERROR;
        case SQL_DIAG_ROW_NUMBER:
            return statement ? writeValue(SQLLEN{SQL_ROW_NUMBER_UNKNOWN}, out) : SQL_ERROR;
        default:
            return SQL_ERROR;
    }
}

bool isHeaderField(SQLSMALLINT field) {
    switch (field) {
        case SQL_DIAG_NUMBER:
        case SQL_DIAG_RETURNCODE:
        case SQL_DIAG_ROW_COUNT:
        case SQL_DIAG_CURSOR_ROW_COUNT:
        case SQL_DIAG_DYNAMIC_FUNCTION:
        case SQL_DIAG_DYNAMIC_FUNCTION_CODE:
            return true;
        default:
            return false;
    }
}

}  // namespace

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT HandleType, SQLHANDLE Handle, SQLSMALLINT RecNumber,
                                SQLCHAR* Sqlstate, SQLINTEGER* NativeError, SQLCHAR* MessageText,
                                SQLSMALLINT BufferLength, SQLSMALLINT* TextLength) {
    std::lock_guard lock(apiMutex());
    talveron::odbc::Handle* target = findTyped(HandleType, Handle);
    if (target == nullptr) {
        return SQL_INVALID_HANDLE;
    }
    if (RecNumber <= 0 || BufferLength < 0) {
        return SQL_ERROR;
    }
    const DiagRecord* record = target->diagnostics().record(RecNumber);
    if (record == nullptr) {
        return SQL_NO_DATA;
    }
    writeState(record->sqlState, *target, Sqlstate);
    if (NativeError != nullptr) {
        *NativeError = record->nativeError;
    }
    return writeDiagText(record->message, MessageText, BufferLength, TextLength);
}

SQLRETURN SQL_API SQLGetDiagField(SQLSMALLINT HandleType, SQLHANDLE Handle, SQLSMALLINT RecNumber,
                                  SQLSMALLINT DiagIdentifier, SQLPOINTER DiagInfo,
                                  SQLSMALLINT BufferLength, SQLSMALLINT* StringLength) {
    std::lock_guard lock(apiMutex());
    talveron::odbc::Handle* target = findTyped(HandleType, Handle);
    if (target == nullptr) {
        return SQL_INVALID_HANDLE;
    }
    if (BufferLength < 0) {
        return SQL_ERROR;
    }
    if (isHeaderField(DiagIdentifier)) {
        return headerField(*target, DiagIdentifier, DiagInfo, BufferLength, StringLength);
    }
    if (RecNumber <= 0) {
        return SQL_ERROR;
    }
    const DiagRecord* record = target->diagnostics().record(RecNumber);
    if (record == nullptr) {
        return SQL_NO_DATA;
    }
    return recordField(*target, *record, DiagIdentifier, DiagInfo, BufferLength, StringLength);
}

SQLRETURN SQL_API SQLError(SQLHENV EnvironmentHandle, SQLHDBC ConnectionHandle,
                           SQLHSTMT StatementHandle, SQLCHAR* Sqlstate, SQLINTEGER* NativeError,
                           SQLCHAR* MessageText, SQLSMALLINT BufferLength,
                           SQLSMALLINT* TextLength) {
    std::lock_guard lock(apiMutex());
    talveron::odbc::Handle* target = nullptr;
    if (StatementHandle != SQL_NULL_HSTMT) {
        target = findTyped(SQL_HANDLE_STMT, StatementHandle);
    } else if (ConnectionHandle != SQL_NULL_HDBC) {
        target = findTyped(SQL_HANDLE_DBC, ConnectionHandle);
    } else {
        target = findTyped(SQL_HANDLE_ENV, EnvironmentHandle);
    }
    if (target == nullptr) {
        return SQL_INVALID_HANDLE;
    }
    if (BufferLength < 0) {
        return SQL_ERROR;
    }
    const std::optional<DiagRecord> record = target->diagnostics().takeFirst();
    if (!record) {
        return SQL_NO_DATA;
    }
    writeState(record->sqlState, *target, Sqlstate);
    if (NativeError != nullptr) {
        *NativeError = record->nativeError;
    }
    return writeDiagText(record->message, MessageText, BufferLength, TextLength);
}
