#include "store/db/statistics.h"

#include "store/db/database.h"

namespace velmar::db {

namespace {

// Rows read per index: the shape of the tables, not exact counts, is what
// steers the plans.
constexpr int kSampledRows = 400;

} // namespace

bool refreshPlannerStatistics(Database& database) {
    return database.execute(QStringLiteral("PRAGMA analysis_limit=%1; ANALYZE;").arg(kSampledRows));
}

} // namespace velmar::db
