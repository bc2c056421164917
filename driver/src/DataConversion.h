#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstddef>
#include <optional>
#include <string>

namespace talveron::odbc {

// What became of writing one value into an application buffer.
struct Conversion {
    enum class Status {
        Done,                  // the whole (remaining) value was written
        Truncated,             // character or binary data cut to the buffer: 01004
        FractionalTruncation,  // a number lost its fraction: 01S07
    };
    Status status = Status::Done;
    std::size_t bytesWritten = 0;  // of character or binary data, without the NUL
};

// Writes a value (text, or nullopt for NULL) as the C type into an application
// buffer: character and binary data from byte `offset` on, numbers parsed from
// the text. Supported C types: SQL_C_CHAR, SQL_C_DEFAULT (as character data),
// SQL_C_BINARY, SQL_C_SSHORT/SHORT, SQL_C_SLONG/LONG, SQL_C_SBIGINT,
// SQL_C_DOUBLE and SQL_C_FLOAT. Throws DriverError: HY003 for another type,
// HY090 for a negative buffer length, 22002 for NULL without an indicator,
// 22018 for text that is not a number, 22003 for a number out of range.
Conversion convertValue(const std::optional<std::string>& value, SQLSMALLINT targetType,
                        SQLPOINTER buffer, SQLLEN bufferLength, SQLLEN* indicator,
                        std::size_t offset);

// Refuses a C type that convertValue does not write (HY003).
void checkTargetType(SQLSMALLINT targetType);

// Whether a C type is written in parts by successive SQLGetData calls.
bool isPartialType(SQLSMALLINT targetType);

}  // namespace talveron::odbc
