#include "SearchPattern.h"

#include <cctype>
#include <string>

#include "ConnectString.h"

namespace talveron::odbc {

bool matchesPattern(std::string_view pattern, std::string_view name) {
    if (pattern.empty()) {
        return name.empty();
    }
    const char first = pattern.front();
    if (first == '%') {
        for (std::size_t skip = 0; skip <= name.size(); ++skip) {
            if (matchesPattern(pattern.substr(1), name.substr(skip))) {
                return true;
            }
        }
        return false;
    }
    if (name.empty()) {
        return false;
    }
    if (first == '_') {
        return matchesPattern(pattern.substr(1), name.substr(1));
    }
    std::size_t length = 1;
    char literal = first;
    if (first == '\\' && pattern.size() > 1) {
        literal = pattern[1];
        length = 2;
    }
    return std::tolower(static_cast<unsigned char>(literal)) ==
               std::tolower(static_cast<unsigned char>(name.front())) &&
           matchesPattern(pattern.substr(length), name.substr(1));
}

bool admitsTables(std::string_view typeList) {
    std::string cleaned;
    for (const char c : typeList) {
        if (c != '\'' && c != ' ') {
            cleaned += c;
        }
    }
    if (cleaned.empty() || cleaned == "%") {
        return true;
    }
    std::size_t start = 0;
    while (start <= cleaned.size()) {
        const auto comma = cleaned.find(',', start);
        const std::size_t stop = comma == std::string::npos ? cleaned.size() : comma;
        if (equalsIgnoringCase(std::string_view(cleaned).substr(start, stop - start), "TABLE")) {
            return true;
        }
        start = stop + 1;
    }
    return false;
}

}  // namespace talveron::odbc
