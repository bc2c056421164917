#include "DataSource.h"

#include <odbcinst.h>

#include <array>
#include <string>
#include <vector>

#include "Keywords.h"

namespace talveron::odbc {

namespace {

// The default stands for "not set": no value can hold a NUL character.
constexpr char kUnset[] = "\x01";

std::string readValue(const std::string& section, const char* key) {
    std::vector<char> buffer(4096);
    while (true) {
        const int length = SQLGetPrivateProfileString(section.c_str(), key, kUnset, buffer.data(),
                                                      static_cast<int>(buffer.size()), "odbc.ini");
        if (length < 0) {
            return kUnset;
        }
        if (static_cast<std::size_t>(length) + 1 < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2);  // the value may have been cut: read it again
        if (buffer.size() > (1u << 20)) {
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
        const std::string value = readValue(section, std::string(key).c_str());
        if (value != kUnset) {
            attributes.set(key, value);
        }
    }
    return attributes;
}

}  // namespace talveron::odbc
