#pragma once
// The OLE DB connection string: "key=value" pairs separated by ";". Keys are
// matched without regard to letter case ("==" stands for "=" in a key);
// a value may be enclosed in single or double quotes, in which a doubled quote
// stands for one; an unquoted value is trimmed. A key given twice keeps its
// last value.

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ado {

class ConnectionStringError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ConnectionString {
public:
    // Throws ConnectionStringError for text that does not follow the rules above.
    static ConnectionString parse(std::string_view text);

    // The value of `key` (any letter case), if the string has it.
    std::optional<std::string> value(std::string_view key) const;
    std::size_t size() const noexcept { return m_pairs.size(); }

private:
    std::map<std::string, std::string> m_pairs;  // keys in lower case
};

}  // namespace ado
