// Entry points that describe result columns and read rows.

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <string>
#include <variant>

#include "Call.h"
#include "DataConversion.h"
#include "Statement.h"
#include "Text.h"

using namespace talveron::odbc;

namespace {

// Reports what writing one value brought: truncation adds a warning.
SQLRETURN noteConversion(Diagnostics& diagnostics, const Conversion& conversion) {
    switch (conversion.status) {
        case Conversion::Status::Truncated:
            diagnostics.add("01004", "String data, right truncated.");
            return SQL_SUCCESS_WITH_INFO;
        case Conversion::Status::FractionalTruncation:
            diagnostics.add("01S07", "Fractional truncation.");
            return SQL_SUCCESS_WITH_INFO;
        default:
            return SQL_SUCCESS;
    }
}

using AttributeValue = std::variant<std::string, SQLLEN>;

AttributeValue columnAttribute(const Statement& statement, SQLUSMALLINT column,
                               SQLUSMALLINT field) {
    if (field == SQL_DESC_COUNT || field == SQL_COLUMN_COUNT) {
        return SQLLEN{statement.columnCount()};
    }
    const ColumnDescription description = statement.describe(column);
    const auto size = static_cast<SQLLEN>(description.size);
    switch (field) {
        case SQL_DESC_NAME:
        case SQL_DESC_LABEL:
        case SQL_DESC_BASE_COLUMN_NAME:
        case SQL_COLUMN_NAME:
            return description.name;
        case SQL_DESC_TABLE_NAME:
        case SQL_DESC_BASE_TABLE_NAME:
        case SQL_DESC_SCHEMA_NAME:
        case SQL_DESC_CATALOG_NAME:
            return std::string();
        case SQL_DESC_TYPE_NAME:
        case SQL_DESC_LOCAL_TYPE_NAME:
            return std::string("VARCHAR");
        case SQL_DESC_LITERAL_PREFIX:
        case SQL_DESC_LITERAL_SUFFIX:
            return std::string("'");
        case SQL_DESC_TYPE:
        case SQL_DESC_CONCISE_TYPE:
            return SQLLEN{description.sqlType};
        case SQL_DESC_LENGTH:
        case SQL_DESC_OCTET_LENGTH:
        case SQL_DESC_DISPLAY_SIZE:
        case SQL_COLUMN_LENGTH:
        case SQL_COLUMN_PRECISION:
            return size;
        case SQL_DESC_PRECISION:
        case SQL_DESC_SCALE:
        case SQL_COLUMN_SCALE:
        case SQL_DESC_NUM_PREC_RADIX:
            return SQLLEN{0};
        case SQL_DESC_NULLABLE:
        case SQL_COLUMN_NULLABLE:
            return SQLLEN{description.nullable};
        case SQL_DESC_UNNAMED:
            return SQLLEN{description.name.empty() ? SQL_UNNAMED : SQL_NAMED};
        case SQL_DESC_UNSIGNED:
        case SQL_DESC_CASE_SENSITIVE:
            return SQLLEN{SQL_TRUE};
        case SQL_DESC_FIXED_PREC_SCALE:
        case SQL_DESC_AUTO_UNIQUE_VALUE:
            return SQLLEN{SQL_FALSE};
        case SQL_DESC_UPDATABLE:
            return SQLLEN{SQL_ATTR_READWRITE_UNKNOWN};
        case SQL_DESC_SEARCHABLE:
            return SQLLEN{SQL_PRED_SEARCHABLE};
        default:
            throw DriverError(
                "HY091", "Invalid descriptor field identifier: " + std::to_string(field) + ".");
    }
}

}  // namespace

SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT StatementHandle, SQLUSMALLINT ColumnNumber,
                                 SQLCHAR* ColumnName, SQLSMALLINT BufferLength,
                                 SQLSMALLINT* NameLength, SQLSMALLINT* DataType,
                                 SQLULEN* ColumnSize, SQLSMALLINT* DecimalDigits,
                                 SQLSMALLINT* Nullable) {
    return callOn<Statement>(StatementHandle, [&](Statement& statement) -> SQLRETURN {
        checkBufferLength(BufferLength);
        const ColumnDescription description = statement.describe(ColumnNumber);
        if (DataType != nullptr) {
            *DataType = description.sqlType;
        }
        if (ColumnSize != nullptr) {
            *ColumnSize = description.size;
        }
        if (DecimalDigits != nullptr) {
            *DecimalDigits = 0;
        }
        if (Nullable != nullptr) {
            *Nullable = description.nullable;
        }
        return writeText(statement.diagnostics(), description.name, ColumnName, BufferLength,
                         NameLength);
    });
}

SQLRETURN SQL_API SQLColAttribute(SQLHSTMT StatementHandle, SQLUSMALLINT ColumnNumber,
                                  SQLUSMALLINT FieldIdentifier, SQLPOINTER CharacterAttribute,
                                  SQLSMALLINT BufferLength, SQLSMALLINT* StringLength,
                                  SQLLEN* NumericAttribute) {
    return callOn<Statement>(StatementHandle, [&](Statement& statement) -> SQLRETURN {
        const AttributeValue value = columnAttribute(statement, ColumnNumber, FieldIdentifier);
        if (const auto* text = std::get_if<std::string>(&value)) {
            return writeText(statement.diagnostics(), *text, CharacterAttribute, BufferLength,
                             StringLength);
        }
        if (NumericAttribute != nullptr) {
            *NumericAttribute = std::get<SQLLEN>(value);
        }
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLBindCol(SQLHSTMT StatementHandle, SQLUSMALLINT ColumnNumber,
                             SQLSMALLINT TargetType, SQLPOINTER TargetValue, SQLLEN BufferLength,
                             SQLLEN* StrLen_or_Ind) {
    return callOn<Statement>(StatementHandle, [&](Statement& statement) -> SQLRETURN {
        if (ColumnNumber == 0) {
            throw DriverError("07009", "Invalid descriptor index: bookmarks are not supported.");
        }
        if (TargetValue == nullptr && StrLen_or_Ind == nullptr) {
            statement.bindings.erase(ColumnNumber);
            return SQL_SUCCESS;
        }
        checkTargetType(TargetType);
        checkBufferLength(BufferLength);
        statement.bindings[ColumnNumber] =
            ColumnBinding{TargetType, TargetValue, BufferLength, StrLen_or_Ind};
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLFetch(SQLHSTMT StatementHandle) {
    return callOn<Statement>(StatementHandle, [&](Statement& statement) -> SQLRETURN {
        if (!statement.fetch()) {
            return SQL_NO_DATA;
        }
        SQLRETURN result = SQL_SUCCESS;
        for (const auto& [column, binding] : statement.bindings) {
            const Conversion conversion =
                convertValue(statement.value(column), binding.targetType, binding.buffer,
                             binding.bufferLength, binding.indicator, 0);
            if (noteConversion(statement.diagnostics(), conversion) != SQL_SUCCESS) {
                result = SQL_SUCCESS_WITH_INFO;
            }
        }
        return result;
    });
}

SQLRETURN SQL_API SQLGetData(SQLHSTMT StatementHandle, SQLUSMALLINT ColumnNumber,
                             SQLSMALLINT TargetType, SQLPOINTER TargetValue, SQLLEN BufferLength,
                             SQLLEN* StrLen_or_Ind) {
    return callOn<Statement>(StatementHandle, [&](Statement& statement) -> SQLRETURN {
        const std::optional<std::string>& value = statement.value(ColumnNumber);
        GetDataPosition& position = statement.getDataPosition();
        if (position.column != ColumnNumber) {
            position = GetDataPosition{ColumnNumber, 0, false};
        }
        if (position.finished) {
            return SQL_NO_DATA;
        }
        const Conversion conversion = convertValue(value, TargetType, TargetValue, BufferLength,
                                                   StrLen_or_Ind, position.offset);
        if (value && isPartialType(TargetType) &&
            conversion.status == Conversion::Status::Truncated) {
            position.offset += conversion.bytesWritten;  // the next call returns the rest
        } else {
            position.finished = true;
        }
        return noteConversion(statement.diagnostics(), conversion);
    });
}
