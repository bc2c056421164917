#pragma once

#include "talveron/engine/Database.h"

namespace talveron::admin {

// Fills a new database with the suite's sample tables (Customers, Products,
// Orders, OrderItems) and a few thousand plausible rows, then purges the
// cancelled orders, which leaves free space for a compaction to reclaim.
// The same rows every time.
void fillSampleData(engine::Database& database);

}  // namespace talveron::admin
