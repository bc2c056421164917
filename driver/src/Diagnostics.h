#pragma once

#include <sql.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talveron::odbc {

// One diagnostic record as ODBC reports it.
struct DiagRecord {
    std::string sqlState;  // five characters, in the ODBC 3 form
    SQLINTEGER nativeError = 0;
    std::string message;  // with the driver's prefix
};

// The diagnostics of one handle: the records of its last call and that call's
// return code. Every call on the handle except the diagnostic calls starts by
// clearing them.
class Diagnostics {
public:
    static constexpr std::string_view kPrefix = "[TALVERON][ODBC Driver]";

    void clear();
    void add(std::string_view sqlState, std::string_view text, SQLINTEGER nativeError = 0);

    const std::vector<DiagRecord>& records() const noexcept { return m_records; }
    // The record of a 1-based number, or nullptr when there is none.
    const DiagRecord* record(SQLSMALLINT number) const;
    // Removes the first record and returns it: SQLError reads records this way.
    std::optional<DiagRecord> takeFirst();

    SQLRETURN returnCode = SQL_SUCCESS;
    SQLLEN rowCount = 0;  // SQL_DIAG_ROW_COUNT of statements

private:
    std::vector<DiagRecord> m_records;
};

// The SQLSTATE an application of the given ODBC version expects for an ODBC 3
// state (ODBC 2 applications know the S1 class and a few older codes).
std::string_view stateForVersion(std::string_view odbc3State, SQLINTEGER odbcVersion);

}  // namespace talveron::odbc
