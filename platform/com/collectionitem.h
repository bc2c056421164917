#pragma once
// The Item argument of an automation collection.

#include <optional>
#include <string>
#include <vector>

#include "platform/com/variant.h"

// The position that `item` names among `names`: a zero-based index of any
// integer type, or, in a VT_BSTR, a name compared without regard to ASCII
// letter case, its text read by `textOf`. nullopt when it names none.
std::optional<std::size_t> CollectionPosition(const VARIANT& item,
                                              const std::vector<std::string>& names,
                                              std::string (*textOf)(BSTR));
