#pragma once
// Conversion between the narrow text of this platform (UTF-8, its "ANSI code
// page") and UTF-16. Malformed input never fails: each ill-formed UTF-8
// sequence and each unpaired surrogate becomes U+FFFD.

#include <string>
#include <string_view>

#include "platform/com/bstr.h"

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// The text of a BSTR (a null BSTR is empty) as narrow text.
std::string BstrToUtf8(BSTR bstr);
// A new BSTR holding `text`; throws std::bad_alloc when out of memory.
BSTR Utf8ToBstr(std::string_view text);

// Equality of two texts with the ASCII letters compared without regard to case,
// as names of providers, keys and accounts are compared.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
