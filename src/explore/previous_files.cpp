#include "explore/previous_files.h"

namespace velmar {

namespace {

// A name never holds '/', so the key cannot be read two ways.
QString keyOf(const QString& directory, const QString& name) {
    return directory + QLatin1Char('/') + name;
}

} // namespace

void PreviousFiles::add(const QString& directory, const QString& name, const PreviousFile& file) {
    m_files.insert(keyOf(directory, name), file);
}

const PreviousFile* PreviousFiles::unchanged(const QString& directory, const QString& name, qint64 size,
                                             const QString& modified) const {
    const auto found = m_files.constFind(keyOf(directory, name));
    if (found == m_files.cend() || found->size != size || found->modified != modified)
        return nullptr;
    return &found.value();
}

} // namespace velmar
