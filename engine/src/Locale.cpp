#include <cstdio>
#include <regex>

#include "talveron/engine/Compaction.h"
#include "talveron/engine/Error.h"

namespace talveron::engine {

Locale Locale::parse(std::string_view text) {
    static const std::regex form(
        R"(;LANGID=0x([0-9A-Fa-f]{1,4});CP=([0-9]{1,5});COUNTRY=([0-9]{1,5}))", std::regex::icase);
    std::match_results<std::string_view::const_iterator> match;
    if (!std::regex_match(text.begin(), text.end(), match, form)) {
        throw Error(ErrorCode::InvalidArgument,
                    "Invalid argument: the locale '" + std::string(text) +
                        "' is not of the form ';LANGID=0x0409;CP=1252;COUNTRY=0'.");
    }
    Locale locale;
    locale.languageId = static_cast<unsigned>(std::stoul(match[1].str(), nullptr, 16));
    locale.codePage = static_cast<unsigned>(std::stoul(match[2].str()));
    locale.country = static_cast<unsigned>(std::stoul(match[3].str()));
    return locale;
}

std::string Locale::toString() const {
    char text[64];
    std::snprintf(text, sizeof text, ";LANGID=0x%04X;CP=%u;COUNTRY=%u", languageId, codePage,
                  country);
    return text;
}

Locale recordedLocale(const Database& database) {
    const std::string text = database.locale();
    return text.empty() ? Locale{} : Locale::parse(text);
}

}  // namespace talveron::engine
