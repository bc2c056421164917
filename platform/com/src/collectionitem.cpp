#include "platform/com/collectionitem.h"

#include "platform/com/textconv.h"

std::optional<std::size_t> CollectionPosition(const VARIANT& item,
                                              const std::vector<std::string>& names,
                                              std::string (*textOf)(BSTR)) {
    if (item.vt == VT_BSTR) {
        const std::string name = textOf(item.bstrVal);
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (EqualsIgnoringAsciiCase(names[i], name)) return i;
        }
        return std::nullopt;
    }
    VARIANT index;
    VariantInit(&index);
    if (FAILED(VariantChangeType(&index, &item, 0, VT_I4)) || index.lVal < 0 ||
        static_cast<std::size_t>(index.lVal) >= names.size()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(index.lVal);
}
