#include "DataSource.h"

#include <odbcinst.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Keywords.h"

namespace talveron::odbc {

namespace {

// Passed as the default, it stands for "not set": no value in a file holds it.
constexpr char kUnset[] = "\x01";
constexpr std::size_t kLongestValue = 1 << 16;

std::optional<std::string> readValue(const std::string& section, const std::string& key) {
    for (std::size_t size = 4096;; size *= 2) {
        std::vector<char> buffer(size);
        const int length =
            SQLGetPrivateProfileString(section.c_str(), key.c_str(), kUnset, buffer.data(),
                                       static_cast<int>(size), "odbc.ini");
        if (length < 0 || buffer.data() == std::string_view(kUnset)) {
            return std::nullopt;
        }
        // A value that fills the buffer may have been cut: read it again.
        if (static_cast<std::size_t>(length) + 1 < size || size >= kLongestValue) {
            return std::string(buffer.data());
        }
    }
}

}  // namespace

ConnectAttributes readDataSource(std::string_view name) {
    const std::string section(name);
    ConnectAttributes attributes;
    for (const std::string_view key :
         {keyword::kDatabase, keyword::kSystemDb, keyword::kUserId, keyword::kPassword}) {
        if (const auto value = readValue(section, std::string(key))) {
            attributes.set(key, *value);
        }
    }
    return attributes;
}

}  // namespace talveron::odbc
