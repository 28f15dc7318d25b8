#include "store/db/bound_value.h"

#include <sqlite3.h>

namespace velmar::db {

BoundValue::BoundValue(const QVariant& value) {
    if (value.isNull())
        return;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        m_kind = Kind::Integer;
        m_integer = value.toLongLong();
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        m_kind = Kind::Real;
        m_real = value.toDouble();
        return;
    default:
        // In the file's own encoding, so the engine stores the bytes as they are.
        m_kind = Kind::Text;
        m_text = value.toString().toUtf8();
        return;
    }
}

int BoundValue::bindTo(sqlite3_stmt* statement, int index) const {
    switch (m_kind) {
    case Kind::Null:
        return sqlite3_bind_null(statement, index);
    case Kind::Integer:
        return sqlite3_bind_int64(statement, index, m_integer);
    case Kind::Real:
        return sqlite3_bind_double(statement, index, m_real);
    case Kind::Text:
        return sqlite3_bind_text(statement, index, m_text.constData(), static_cast<int>(m_text.size()),
                                 SQLITE_STATIC);
    }
    return SQLITE_MISUSE;
}

} // namespace velmar::db
