#pragma once

// Fixed texts chosen by a small number (method names, system names).

#include <QString>

#include <cstddef>

namespace velmar::archives {

template <std::size_t N> QString nameAt(const char* const (&names)[N], int index, const char* fallback) {
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        return QString::fromLatin1(fallback);
    return QString::fromLatin1(names[index]);
}

} // namespace velmar::archives
