#include "explore/wildcard.h"

namespace velmar {

namespace {

// The pattern's last position decides the match.
bool lastPositionMatches(const QString& text, const QString& pattern, qsizetype i, bool star) {
    const QChar last = pattern.at(pattern.size() - 1);
    if (star)
        return last == text.at(text.size() - 1);
    if (last == QLatin1Char('*'))
        return true;
    return i == text.size() && (last == QLatin1Char('?') || last == text.at(i - 1));
}

} // namespace

bool wildcardMatches(const QString& rawText, const QString& rawPattern) {
    const QString text = rawText.toUpper();
    const QString pattern = rawPattern.toUpper();
    if (text == pattern)
        return true;
    if (!pattern.contains(QLatin1Char('*')) && !pattern.contains(QLatin1Char('?')))
        return false;
    bool star = false;
    // i counts positions from 1 in both strings.
    for (qsizetype i = 1;;) {
        if (i > text.size() && i <= pattern.size())
            return false;
        if (i == pattern.size() && i <= text.size())
            return lastPositionMatches(text, pattern, i, star);
        if (i > text.size() && i > pattern.size())
            return true;
        const QChar t = text.at(i - 1);
        const QChar p = i <= pattern.size() ? pattern.at(i - 1) : QChar();
        if (i <= pattern.size() && (t == p || p == QLatin1Char('?'))) {
            ++i;
            star = false;
        } else if (star) {
            ++i;
        } else if (p == QLatin1Char('*')) {
            star = true;
            ++i;
        } else {
            return false;
        }
    }
}

} // namespace velmar
