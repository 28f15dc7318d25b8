#pragma once

// The records of a pax extended header ("length key=value\n" each) that
// change how a member is listed: its path, size and time, and the real size
// and name of a sparse member stored by GNU tar in pax form.

#include <QByteArray>

#include <optional>

namespace velmar::archives {

struct PaxValues {
    std::optional<QByteArray> path; // UTF-8 by the format's definition
    std::optional<qint64> size;
    std::optional<qint64> mtime; // whole seconds; a fraction is dropped
    std::optional<qint64> realSize;
    std::optional<QByteArray> sparseName;
};

// Adds the records of `data` to `values`, later records overriding earlier
// ones; stops at the first record whose length does not fit.
void readPaxRecords(const QByteArray& data, PaxValues& values);

// Fills what `local` lacks from `global` (a global header's values).
PaxValues mergedPax(const PaxValues& local, const PaxValues& global);

} // namespace velmar::archives
