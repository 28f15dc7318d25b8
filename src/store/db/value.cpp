#include "store/db/value.h"

namespace velmar::db {

qint64 Value::toNumber() const {
    if (m_value.isNull())
        return 0;
    if (m_value.typeId() == QMetaType::Double)
        return static_cast<qint64>(m_value.toDouble());
    return m_value.toLongLong();
}

double Value::toReal() const {
    return m_value.isNull() ? 0.0 : m_value.toDouble();
}

QString Value::toText() const {
    return m_value.isNull() ? QString() : m_value.toString();
}

} // namespace velmar::db
