#include "AccountName.h"

#include <locale.h>
#include <wctype.h>

#include <optional>
#include <vector>

#include "talveron/engine/Error.h"

namespace talveron::engine::names {

namespace {

// Decodes UTF-8; nullopt for a malformed sequence, an overlong form or a
// surrogate.
std::optional<std::vector<char32_t>> decode(std::string_view text) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t cp = 0;
        if (lead < 0x80) {
            length = 1;
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            cp = lead & 0x07;
        } else {
            return std::nullopt;
        }
        if (i + static_cast<std::size_t>(length) > text.size()) {
            return std::nullopt;
        }
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return std::nullopt;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

void encode(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isControl(char32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
}

// Unicode simple case mapping from the C library's built-in UTF-8 locale,
// independent of the process's own locale.
locale_t unicodeLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return locale;
}

}  // namespace

void validate(std::string_view name, std::size_t maxLength, std::string_view what) {
    const std::string kind(what);
    if (name.empty()) {
        throw Error(ErrorCode::InvalidName, "The " + kind + " name is empty.");
    }
    const auto codePoints = decode(name);
    if (!codePoints) {
        throw Error(ErrorCode::InvalidName,
                    "The " + kind + " name is not valid text (malformed UTF-8).");
    }
    if (codePoints->size() > maxLength) {
        throw Error(ErrorCode::InvalidName, "The " + kind + " name '" + std::string(name) +
                                                "' is longer than " + std::to_string(maxLength) +
                                                " characters.");
    }
    for (const char32_t cp : *codePoints) {
        if (isControl(cp)) {
            throw Error(ErrorCode::InvalidName, "The " + kind + " name holds a control character.");
        }
    }
}

std::string foldCase(std::string_view name) {
    const auto codePoints = decode(name);
    std::string folded;
    if (!codePoints) {
        // Not text: bytes compare as they are, ASCII letters folded.
        for (const char c : name) {
            folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
        return folded;
    }
    const locale_t locale = unicodeLocale();
    for (const char32_t cp : *codePoints) {
        char32_t lower = cp;
        if (cp < 0x80) {
            lower = (cp >= 'A' && cp <= 'Z') ? cp - 'A' + 'a' : cp;
        } else if (locale != static_cast<locale_t>(0)) {
            lower = static_cast<char32_t>(towlower_l(static_cast<wint_t>(cp), locale));
        }
        encode(lower, folded);
    }
    return folded;
}

}  // namespace talveron::engine::names
