#pragma once

// A value ready to be bound to a statement: NULL, a whole number, a real or a
// text already in UTF-8, the file's encoding. Rows queued to another thread are
// converted on the caller's side, so the inserting thread only binds them.

#include <QByteArray>
#include <QVariant>

#include <vector>

struct sqlite3_stmt;

namespace velmar::db {

class BoundValue {
public:
    BoundValue() = default; // NULL
    explicit BoundValue(const QVariant& value);
    // Binds without copying: the value must outlive the statement's next step.
    int bindTo(sqlite3_stmt* statement, int index) const;

private:
    enum class Kind { Null, Integer, Real, Text };
    Kind m_kind = Kind::Null;
    qint64 m_integer = 0;
    double m_real = 0;
    QByteArray m_text;
};
using BoundRow = std::vector<BoundValue>;

inline BoundRow boundRow(const QVariantList& values) {
    return BoundRow(values.cbegin(), values.cend());
}

} // namespace velmar::db
