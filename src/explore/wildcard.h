#pragma once

#include <QString>

namespace velmar {

// The comparison of the extension-exclusion list: '?' matches one character,
// '*' lets the comparison skip mismatching positions until the next matching
// character. Position by position, without backtracking; case is ignored.
// BA?, B* and ?AK match BAK; BAK does not match BAKX.
bool wildcardMatches(const QString& text, const QString& pattern);

} // namespace velmar
