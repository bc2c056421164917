#include "Errors.h"

namespace talveron::odbc {

using engine::ErrorCode;

std::string_view connectStateFor(ErrorCode code) {
    switch (code) {
        case ErrorCode::BadLogin:
        case ErrorCode::ForeignWorkgroup:
            return "28000";  // invalid authorization
        case ErrorCode::InUse:
            return "08004";  // the data source rejected the connection
        default:
            return "08001";  // unable to establish the connection
    }
}

std::string_view statementStateFor(ErrorCode code) {
    switch (code) {
        case ErrorCode::SqlError:
        case ErrorCode::NoPermission:
            return "42000";  // syntax error or access violation
        case ErrorCode::DuplicateValue:
        case ErrorCode::ConstraintViolation:
            return "23000";  // integrity constraint violation
        default:
            return "HY000";
    }
}

}  // namespace talveron::odbc
