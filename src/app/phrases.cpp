#include "app/phrases.h"

#include <QLocale>

namespace velmar {

namespace {

constexpr qint64 kKilo = 1024;
constexpr qint64 kMega = kKilo * 1024;
constexpr qint64 kGiga = kMega * 1024;

// whole.hundredths with the hundredths cut, trailing zeros and a bare separator dropped.
QString cutQuotient(qint64 bytes, qint64 unit, bool wholeNumber, QChar separator) {
    const qint64 whole = bytes / unit;
    QString text = QString::number(whole);
    if (wholeNumber)
        return text;
    const qint64 hundredths = (bytes % unit) * 100 / unit;
    if (hundredths == 0)
        return text;
    QString decimals = QStringLiteral("%1").arg(hundredths, 2, 10, QLatin1Char('0'));
    if (decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    return text + separator + decimals;
}

} // namespace

QString countText(qint64 n, const QString& singular, const QString& plural) {
    QString text = (n == 0 || n == 1) ? singular : plural;
    text.replace(QLatin1Char('#'), QString::number(n));
    return text;
}

QString filesPhrase(qint64 n, PhraseCase phraseCase) {
    const bool capital = phraseCase == PhraseCase::Capitalised;
    if (n == 0)
        return capital ? QStringLiteral("Aucun fichier") : QStringLiteral("aucun fichier");
    if (n == 1)
        return capital ? QStringLiteral("Un fichier") : QStringLiteral("un fichier");
    return QString::number(n) + QStringLiteral(" fichiers");
}

QString sizePhrase(qint64 bytes, bool wholeNumber, QChar decimalSeparator) {
    const QChar separator = decimalSeparator.isNull() ? QLocale().decimalPoint().at(0) : decimalSeparator;
    if (bytes <= 0)
        return QStringLiteral("0 octet");
    if (bytes < kKilo)
        return QString::number(bytes) + (bytes > 1 ? QStringLiteral(" octets") : QStringLiteral(" octet"));
    if (bytes < kMega)
        return cutQuotient(bytes, kKilo, wholeNumber, separator) + QStringLiteral(" Ko");
    if (bytes < kGiga)
        return cutQuotient(bytes, kMega, wholeNumber, separator) + QStringLiteral(" Mo");
    return cutQuotient(bytes, kGiga, wholeNumber, separator) + QStringLiteral(" Go");
}

} // namespace velmar
