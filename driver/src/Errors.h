#pragma once

#include <sql.h>

#include <stdexcept>
#include <string>
#include <string_view>

#include "talveron/engine/Error.h"

namespace talveron::odbc {

// A failure the driver reports itself: an SQLSTATE, a text for a person and
// the native error number (the engine's error number where it has one).
class DriverError : public std::runtime_error {
public:
    DriverError(std::string sqlState, const std::string& text, SQLINTEGER nativeError = 0)
        : std::runtime_error(text), m_sqlState(std::move(sqlState)), m_nativeError(nativeError) {}

    const std::string& sqlState() const noexcept { return m_sqlState; }
    SQLINTEGER nativeError() const noexcept { return m_nativeError; }

private:
    std::string m_sqlState;
    SQLINTEGER m_nativeError;
};

// The SQLSTATE of an engine error raised while a connection is being opened.
std::string_view connectStateFor(engine::ErrorCode code);
// The SQLSTATE of an engine error raised by a statement on an open connection.
std::string_view statementStateFor(engine::ErrorCode code);

}  // namespace talveron::odbc
