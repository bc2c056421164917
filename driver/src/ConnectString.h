#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talveron::odbc {

// The keyword-value pairs of an ODBC connection string, in their order.
// Keywords match without regard to case; of a keyword given twice the first
// value counts, as ODBC prescribes.
class ConnectAttributes {
public:
    struct Pair {
        std::string key;
        std::string value;
    };

    // Parses "KEY=value;KEY={value; with braces};...". A value in braces may
    // hold ";" and writes "}" as "}}". Keywords are trimmed, values are kept
    // as written. Throws DriverError for a brace that is never closed or a
    // pair without "=".
    static ConnectAttributes parse(std::string_view text);

    // The value of a keyword, or nullptr when it is absent.
    const std::string* find(std::string_view key) const;
    bool contains(std::string_view key) const { return find(key) != nullptr; }
    // Adds the pair unless the keyword is present.
    void addIfAbsent(std::string_view key, std::string_view value);
    // Sets a keyword's value, adding the pair when it is absent.
    void set(std::string_view key, std::string_view value);

    const std::vector<Pair>& pairs() const noexcept { return m_pairs; }

private:
    std::vector<Pair> m_pairs;
};

// One pair of a connection string, ended by ";": "KEY=value;", with the value
// in braces when it holds ";" or starts with "{".
std::string formatPair(std::string_view key, std::string_view value);

bool equalsIgnoringCase(std::string_view left, std::string_view right);

}  // namespace talveron::odbc
