#pragma once

// A field value as read back from the catalogue database.

#include <QString>
#include <QVariant>

namespace velmar::db {

// NULL reads as 0 or "".
class Value {
public:
    Value() = default;
    explicit Value(QVariant v) : m_value(std::move(v)) {}
    bool isNull() const { return m_value.isNull(); }
    qint64 toNumber() const;
    double toReal() const;
    QString toText() const;
    const QVariant& variant() const { return m_value; }

private:
    QVariant m_value;
};

} // namespace velmar::db
