#include "Diagnostics.h"

#include <sqlext.h>

#include <array>
#include <utility>

namespace talveron::odbc {

void Diagnostics::clear() {
    m_records.clear();
    returnCode = SQL_SUCCESS;
    rowCount = 0;
}

void Diagnostics::add(std::string_view sqlState, std::string_view text, SQLINTEGER nativeError) {
    std::string message(kPrefix);
    message += text;
    m_records.push_back(DiagRecord{std::string(sqlState), nativeError, std::move(message)});
}

const DiagRecord* Diagnostics::record(SQLSMALLINT number) const {
    if (number < 1 || static_cast<std::size_t>(number) > m_records.size()) {
        return nullptr;
    }
    return &m_records[static_cast<std::size_t>(number) - 1];
}

std::optional<DiagRecord> Diagnostics::takeFirst() {
    if (m_records.empty()) {
        return std::nullopt;
    }
    DiagRecord first = std::move(m_records.front());
    m_records.erase(m_records.begin());
    return first;
}

std::string_view stateForVersion(std::string_view odbc3State, SQLINTEGER odbcVersion) {
    if (odbcVersion != SQL_OV_ODBC2) {
        return odbc3State;
    }
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 14> kOdbc2States{{
        {"07009", "S1002"},
        {"22018", "22005"},
        {"42000", "37000"},
        {"HY000", "S1000"},
        {"HY001", "S1001"},
        {"HY003", "S1003"},
        {"HY009", "S1009"},
        {"HY010", "S1010"},
        {"HY090", "S1090"},
        {"HY091", "S1091"},
        {"HY092", "S1092"},
        {"HY096", "S1096"},
        {"HY106", "S1106"},
        {"HYC00", "S1C00"},
    }};
    for (const auto& [odbc3, odbc2] : kOdbc2States) {
        if (odbc3 == odbc3State) {
            return odbc2;
        }
    }
    return odbc3State;
}

}  // namespace talveron::odbc
