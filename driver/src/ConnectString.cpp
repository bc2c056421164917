#include "ConnectString.h"

#include <algorithm>
#include <cctype>

#include "Errors.h"

namespace talveron::odbc {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// Reads a braced value that starts at text[position] == '{'; leaves position
// on the ";" that ends the pair, or at the end of the text.
std::string readBracedValue(std::string_view text, std::size_t& position) {
    std::string value;
    ++position;
    while (true) {
        if (position >= text.size()) {
            throw DriverError("08001", "The connection string has a \"{\" that is never closed.");
        }
        const char c = text[position++];
        if (c != '}') {
            value += c;
        } else if (position < text.size() && text[position] == '}') {
            value += '}';
            ++position;
        } else {
            break;
        }
    }
    const auto end = text.find(';', position);
    const std::size_t stop = end == std::string_view::npos ? text.size() : end;
    if (!trimmed(text.substr(position, stop - position)).empty()) {
        throw DriverError("08001", "The connection string has text after a closing \"}\".");
    }
    position = stop;
    return value;
}

}  // namespace

bool equalsIgnoringCase(std::string_view left, std::string_view right) {
    return std::ranges::equal(left, right, [](unsigned char a, unsigned char b) {
        return std::tolower(a) == std::tolower(b);
    });
}

ConnectAttributes ConnectAttributes::parse(std::string_view text) {
    ConnectAttributes attributes;
    std::size_t position = 0;
    while (position < text.size()) {
        const auto equals = text.find('=', position);
        const auto semicolon = text.find(';', position);
        if (equals == std::string_view::npos ||
            (semicolon != std::string_view::npos && semicolon < equals)) {
            const std::size_t stop = semicolon == std::string_view::npos ? text.size() : semicolon;
            if (!trimmed(text.substr(position, stop - position)).empty()) {
                // The text is not repeated: it may hold a password.
                throw DriverError("08001", "The connection string has a pair without \"=\".");
            }
            position = stop + 1;
            continue;
        }
        const std::string_view key = trimmed(text.substr(position, equals - position));
        position = equals + 1;
        const auto valueStart = text.find_first_not_of(kBlanks, position);
        std::string value;
        if (valueStart != std::string_view::npos && text[valueStart] == '{') {
            position = valueStart;
            value = readBracedValue(text, position);
        } else {
            const auto end = text.find(';', position);
            const std::size_t stop = end == std::string_view::npos ? text.size() : end;
            value = std::string(text.substr(position, stop - position));
            position = stop;
        }
        ++position;  // past the ";"
        if (!key.empty()) {
            attributes.addIfAbsent(key, value);
        }
    }
    return attributes;
}

const std::string* ConnectAttributes::find(std::string_view key) const {
    const auto found = std::ranges::find_if(
        m_pairs, [&](const Pair& pair) { return equalsIgnoringCase(pair.key, key); });
    return found == m_pairs.end() ? nullptr : &found->value;
}

void ConnectAttributes::addIfAbsent(std::string_view key, std::string_view value) {
    if (!contains(key)) {
        m_pairs.push_back(Pair{std::string(key), std::string(value)});
    }
}

void ConnectAttributes::set(std::string_view key, std::string_view value) {
    for (Pair& pair : m_pairs) {
        if (equalsIgnoringCase(pair.key, key)) {
            pair.value = value;
            return;
        }
    }
    m_pairs.push_back(Pair{std::string(key), std::string(value)});
}

std::string formatPair(std::string_view key, std::string_view value) {
    std::string pair(key);
    pair += '=';
    if (value.find(';') != std::string_view::npos || value.starts_with('{')) {
        pair += '{';
        for (const char c : value) {
            pair += c;
            if (c == '}') {
                pair += '}';
            }
        }
        pair += '}';
    } else {
        pair += value;
    }
    pair += ';';
    return pair;
}

}  // namespace talveron::odbc
