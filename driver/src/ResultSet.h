#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace talveron::odbc {

// The rows of one result, read whole when the statement runs: the engine gives
// every value as text, and the longest value of each column is its size.
struct ResultSet {
    using Row = std::vector<std::optional<std::string>>;  // nullopt for NULL

    std::vector<std::string> columnNames;
    std::vector<Row> rows;

    std::size_t longestValue(std::size_t column) const;
};

}  // namespace talveron::odbc
