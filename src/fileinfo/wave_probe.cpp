// Duration and format of a RIFF wave file.

#include "app/text.h"
#include "fileinfo/file_reading.h"
#include "fileinfo/probes.h"

#include "app/files.h"

#include <cmath>

namespace velmar::probes {

namespace {

// "RIFF" | size | "WAVE" | "fmt " | size | format | channels | rate | byte rate | align | bits | "data" |
// size
//  0                       b        b+4    b+8      b+10       b+12   b+16        b+20    b+22   b+24 b+28
constexpr qint64 kChannels = 10;
constexpr qint64 kRate = 12;
constexpr qint64 kBits = 22;
constexpr qint64 kHeaderAfterFormat = 32; // "fmt " chunk of 16 bytes, then the "data" chunk header

double roundEven(double value) {
    return std::nearbyint(value); // the default rounding mode sends ties to even
}

struct Duration {
    qint64 minutes;
    qint64 seconds;
    qint64 third;
};

// `h` in hundredths of a second. Durations past 32767 seconds keep their true
// minutes (there is no 16-bit limit here).
Duration splitHundredths(double h) {
    const auto s = static_cast<qint64>(std::trunc(h / 100));
    const qint64 m = s / 60;
    return {m, s - 60 * m, static_cast<qint64>(roundEven((h - 100.0 * double(s)) / 10))};
}

} // namespace

QString waveSummary(const QString& path) {
    if (LitBlocFichier(path, 1, 4) != QByteArrayLiteral("RIFF"))
        return {};
    double start = 5;
    const qint64 found = ChercheDansFichier(path, start, QByteArrayLiteral("fmt "), false);
    if (found == -1)
        return {};
    const qint64 b = found - 1;
    const int rate = ValeurMot(LitBlocFichier(path, b + kRate + 1, 2));
    const double data = double(TailleFichier(path) - b - kHeaderAfterFormat);
    double h = 0;
    if (rate != 0)
        h = roundEven(data / rate * 100);
    const int channels = ValeurOctet(LitBlocFichier(path, b + kChannels + 1, 1));
    if (channels != 0)
        h = roundEven(h / channels);
    const int bits = ValeurOctet(LitBlocFichier(path, b + kBits + 1, 1));
    if (bits / 8.0 != 0)
        h = roundEven(h / (bits / 8.0));
    const Duration d = splitHundredths(h);
    QString text = NombreEnTexte(d.minutes) + QStringLiteral(" min ") + NombreEnTexte(d.seconds) +
                   QStringLiteral(" sec ") + NombreEnTexte(d.third) + QStringLiteral(" ms") + kLineBreak +
                   QString::number(rate) + QStringLiteral(" Hz");
    if (channels == 1)
        text += kLineBreak + QStringLiteral("Mono");
    else if (channels == 2)
        text += kLineBreak + QStringLiteral("Stéréo");
    return text + QLatin1Char(' ') + QString::number(bits) + QStringLiteral(" bits");
}

} // namespace velmar::probes
