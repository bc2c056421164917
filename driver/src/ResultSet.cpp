#include "ResultSet.h"

#include <algorithm>

namespace talveron::odbc {

std::size_t ResultSet::longestValue(std::size_t column) const {
    std::size_t longest = 0;
    for (const Row& row : rows) {
        if (row[column]) {
            longest = std::max(longest, row[column]->size());
        }
    }
    return longest;
}

}  // namespace talveron::odbc
