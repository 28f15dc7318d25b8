#include "explore/previous_files.h"

namespace velmar {

namespace {

// "2004-03-05 09:07:00" as 20040305090700: a date compares as one number and
// takes no string of its own.
qint64 dateKey(const QString& modified) {
    if (modified.isEmpty())
        return -1;
    qint64 key = 0;
    for (const QChar ch : modified)
        if (ch.isDigit())
            key = key * 10 + ch.digitValue();
    return key;
}

} // namespace

void PreviousFiles::add(const QString& directory, const QString& name, qint64 number, qint64 size,
                        const QString& modified, bool hasCrc) {
    m_directories[directory].insert(name, {number, size, dateKey(modified), hasCrc, false});
}

PreviousFile* PreviousFiles::unchanged(const QString& directory, const QString& name, qint64 size,
                                       const QString& modified) {
    const auto names = m_directories.find(directory);
    if (names == m_directories.end())
        return nullptr;
    const auto found = names->find(name);
    if (found == names->end() || found->size != size || found->modified != dateKey(modified))
        return nullptr;
    return &found.value();
}

qint64 PreviousFiles::keptCount() const {
    qint64 kept = 0;
    for (const QHash<QString, PreviousFile>& names : m_directories)
        for (const PreviousFile& file : names)
            kept += file.kept ? 1 : 0;
    return kept;
}

QList<qint64> PreviousFiles::notKept() const {
    QList<qint64> numbers;
    for (const QHash<QString, PreviousFile>& names : m_directories)
        for (const PreviousFile& file : names)
            if (!file.kept)
                numbers.append(file.number);
    return numbers;
}

} // namespace velmar
