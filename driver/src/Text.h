#pragma once

#include <sql.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "Diagnostics.h"
#include "Errors.h"

namespace talveron::odbc {

// The text of an input argument given as a pointer and a length in bytes, or
// SQL_NTS for a NUL-terminated text. A null pointer gives an empty text.
// Throws DriverError (HY090) for any other negative length.
std::string inputText(const SQLCHAR* text, SQLINTEGER length);

// Rejects a negative buffer length (HY090).
void checkBufferLength(SQLLEN capacity);

// Writes text into an application buffer of `capacity` bytes, NUL included,
// cutting it when it does not fit, and stores the text's full length (without
// the NUL) in *length when that is given. Returns SQL_SUCCESS, or
// SQL_SUCCESS_WITH_INFO with 01004 when the text was cut. A null buffer only
// reports the length.
template <class Length>
SQLRETURN writeText(Diagnostics& diagnostics, std::string_view text, SQLPOINTER buffer,
                    SQLLEN capacity, Length* length) {
    checkBufferLength(capacity);
    if (length != nullptr) {
        constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<Length>::max());
        *length = static_cast<Length>(std::min(text.size(), kMax));
    }
    if (buffer == nullptr) {
        return SQL_SUCCESS;
    }
    const auto room = static_cast<std::size_t>(capacity);
    if (room > 0) {
        const std::size_t copied = std::min(text.size(), room - 1);
        std::memcpy(buffer, text.data(), copied);
        static_cast<char*>(buffer)[copied] = '\0';
    }
    if (text.size() >= room) {
        diagnostics.add("01004", "String data, right truncated.");
        return SQL_SUCCESS_WITH_INFO;
    }
    return SQL_SUCCESS;
}

// Writes a fixed-size value into an application buffer (when given) and its
// size into *length (when given).
template <class Value, class Length = SQLSMALLINT>
SQLRETURN writeValue(Value value, SQLPOINTER buffer, Length* length = nullptr) {
    if (buffer != nullptr) {
        std::memcpy(buffer, &value, sizeof value);
    }
    if (length != nullptr) {
        *length = static_cast<Length>(sizeof value);
    }
    return SQL_SUCCESS;
}

}  // namespace talveron::odbc
