#include "Text.h"

namespace talveron::odbc {

std::string inputText(const SQLCHAR* text, SQLINTEGER length) {
    if (text == nullptr) {
        return {};
    }
    const char* chars = reinterpret_cast<const char*>(text);
    if (length == SQL_NTS) {
        return std::string(chars);
    }
    if (length < 0) {
        throw DriverError("HY090", "Invalid string or buffer length.");
    }
    return std::string(chars, static_cast<std::size_t>(length));
}

void checkBufferLength(SQLLEN capacity) {
    if (capacity < 0) {
        throw DriverError("HY090", "Invalid string or buffer length.");
    }
}

}  // namespace talveron::odbc
