// Parsing of OLE DB connection strings.

#include "platform/ado/connectionstring.h"

namespace ado {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return result;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    void skipBlanks() {
        while (!atEnd() && isBlank(m_text[m_pos])) ++m_pos;
    }

    // After blanks: true when a ';' (consumed) or the end follows.
    bool skipSeparator() {
        skipBlanks();
        if (atEnd()) return true;
        if (m_text[m_pos] != ';') return false;
        ++m_pos;
        return true;
    }

    std::string key() {
        std::string key;
        while (true) {
            if (atEnd() || m_text[m_pos] == ';') fail("a key without '='");
            const char c = m_text[m_pos++];
            if (c == '=') {
                if (atEnd() || m_text[m_pos] != '=') break;
                ++m_pos;  // "==" is an '=' inside the key
            }
            key += c;
        }
        const std::string_view name = trimmed(key);
        if (name.empty()) fail("an empty key");
        return lowered(name);
    }

    std::string value() {
        skipBlanks();
        if (!atEnd() && (m_text[m_pos] == '\'' || m_text[m_pos] == '"')) return quotedValue();
        const std::size_t end = std::min(m_text.find(';', m_pos), m_text.size());
        std::string value(trimmed(m_text.substr(m_pos, end - m_pos)));
        m_pos = end;
        return value;
    }

    [[noreturn]] void fail(const char* what) const {
        throw ConnectionStringError("Malformed connection string: " + std::string(what) +
                                    " at position " + std::to_string(m_pos + 1) + ".");
    }

private:
    std::string quotedValue() {
        const char quote = m_text[m_pos++];
        std::string value;
        while (true) {
            if (atEnd()) fail("a quoted value without its closing quote");
            const char c = m_text[m_pos++];
            if (c == quote) {
                if (atEnd() || m_text[m_pos] != quote) break;
                ++m_pos;  // a doubled quote stands for one
            }
            value += c;
        }
        return value;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

}  // namespace

ConnectionString ConnectionString::parse(std::string_view text) {
    ConnectionString result;
    Parser parser(text);
    while (true) {
        parser.skipBlanks();
        if (parser.atEnd()) break;
        if (parser.skipSeparator()) continue;  // an empty pair
        std::string key = parser.key();
        std::string value = parser.value();
        if (!parser.skipSeparator()) parser.fail("text after a quoted value");
        result.m_pairs[std::move(key)] = std::move(value);
    }
    return result;
}

std::optional<std::string> ConnectionString::value(std::string_view key) const {
    const auto found = m_pairs.find(lowered(trimmed(key)));
    if (found == m_pairs.end()) return std::nullopt;
    return found->second;
}

}  // namespace ado
