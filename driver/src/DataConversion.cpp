#include "DataConversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

#include "Errors.h"
#include "Text.h"

namespace talveron::odbc {

namespace {

using Status = Conversion::Status;

Conversion writeBytes(std::string_view data, bool terminate, SQLPOINTER buffer, SQLLEN bufferLength,
                      SQLLEN* indicator) {
    if (bufferLength < 0) {
        throw DriverError("HY090", "Invalid string or buffer length.");
    }
    if (indicator != nullptr) {
        *indicator = static_cast<SQLLEN>(data.size());
    }
    const auto room = static_cast<std::size_t>(bufferLength);
    const std::size_t capacity = terminate ? (room > 0 ? room - 1 : 0) : room;
    const std::size_t written = buffer == nullptr ? 0 : std::min(data.size(), capacity);
    if (buffer != nullptr) {
        std::memcpy(buffer, data.data(), written);
        if (terminate && room > 0) {
            static_cast<char*>(buffer)[written] = '\0';
        }
    }
    return Conversion{
        written < data.size() || (terminate && room == 0) ? Status::Truncated : Status::Done,
        written};
}

// The text as a number of type T; a whole number in floating-point notation is
// accepted, a fraction is cut off and reported.
template <class T>
Conversion writeNumber(std::string_view text, SQLPOINTER buffer, SQLLEN* indicator) {
    T number{};
    Status status = Status::Done;
    const char* const end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error == std::errc::result_out_of_range) {
        throw DriverError("22003", "Numeric value out of range.");
    }
    if constexpr (std::is_integral_v<T>) {
        if (error != std::errc() || stop != end) {
            double real = 0;
            auto [realStop, realError] = std::from_chars(text.data(), end, real);
            if (realError != std::errc() || realStop != end || !std::isfinite(real)) {
                throw DriverError("22018", "Invalid character value for the conversion.");
            }
            const double whole = std::trunc(real);
            if (whole < static_cast<double>(std::numeric_limits<T>::min()) ||
                whole >= -static_cast<double>(std::numeric_limits<T>::min())) {
                throw DriverError("22003", "Numeric value out of range.");
            }
            number = static_cast<T>(whole);
            status = whole == real ? Status::Done : Status::FractionalTruncation;
        }
    } else if (error != std::errc() || stop != end) {
        throw DriverError("22018", "Invalid character value for the conversion.");
    }
    writeValue(number, buffer, indicator);
    return Conversion{status, 0};
}

}  // namespace

void checkTargetType(SQLSMALLINT targetType) {
    switch (targetType) {
        case SQL_C_CHAR:
        case SQL_C_DEFAULT:
        case SQL_C_BINARY:
        case SQL_C_SSHORT:
        case SQL_C_SHORT:
        case SQL_C_SLONG:
        case SQL_C_LONG:
        case SQL_C_SBIGINT:
        case SQL_C_DOUBLE:
        case SQL_C_FLOAT:
            return;
        default:
            throw DriverError("HY003",
                              "Program type out of range: the driver returns text, "
                              "binary data and numbers only.");
    }
}

bool isPartialType(SQLSMALLINT targetType) {
    return targetType == SQL_C_CHAR || targetType == SQL_C_DEFAULT || targetType == SQL_C_BINARY;
}

Conversion convertValue(const std::optional<std::string>& value, SQLSMALLINT targetType,
                        SQLPOINTER buffer, SQLLEN bufferLength, SQLLEN* indicator,
                        std::size_t offset) {
    checkTargetType(targetType);
    if (!value) {
        if (indicator == nullptr) {
            throw DriverError("22002", "Indicator variable required but not supplied.");
        }
        *indicator = SQL_NULL_DATA;
        return Conversion{};
    }
    const std::string_view text = std::string_view(*value).substr(std::min(offset, value->size()));
    switch (targetType) {
        case SQL_C_BINARY:
            return writeBytes(text, false, buffer, bufferLength, indicator);
        case SQL_C_SSHORT:
        case SQL_C_SHORT:
            return writeNumber<SQLSMALLINT>(text, buffer, indicator);
        case SQL_C_SLONG:
        case SQL_C_LONG:
            return writeNumber<SQLINTEGER>(text, buffer, indicator);
        case SQL_C_SBIGINT:
            return writeNumber<SQLBIGINT>(text, buffer, indicator);
        case SQL_C_DOUBLE:
            return writeNumber<SQLDOUBLE>(text, buffer, indicator);
        case SQL_C_FLOAT:
            return writeNumber<SQLREAL>(text, buffer, indicator);
        default:
            return writeBytes(text, true, buffer, bufferLength, indicator);
    }
}

}  // namespace talveron::odbc
