#include "app/geometry.h"

#include "app/text.h"

#include <cmath>

namespace velmar {

namespace {

int roundedValue(const QString& text) {
    return static_cast<int>(std::lround(numericValue(text)));
}

int extent(const QString& saved, int screen) {
    const int available = screen - kScreenMargin;
    if (saved.isEmpty())
        return available;
    const int value = roundedValue(saved);
    return value <= available ? value : available;
}

int position(const QString& saved, int screen) {
    if (saved.isEmpty())
        return kDefaultPosition;
    const int value = roundedValue(saved);
    return (value < 0 || value > screen) ? kDefaultPosition : value;
}

} // namespace

TwipRect AffecteTailleEcran(const Settings& settings, int screenWidth, int screenHeight) {
    TwipRect r;
    r.height = extent(settings.GetValue(Option::Hauteur), screenHeight);
    r.width = extent(settings.GetValue(Option::Largeur), screenWidth);
    r.left = position(settings.GetValue(Option::PosGauche), screenWidth);
    r.top = position(settings.GetValue(Option::PosHaut), screenHeight);
    return r;
}

TwipRect clampToMinimumSize(TwipRect rect) {
    if (rect.width < kMinimumWidth)
        rect.width = kMinimumWidth;
    if (rect.height < kMinimumHeight)
        rect.height = kMinimumHeight;
    return rect;
}

void saveGeometry(Settings& settings, const TwipRect& rect, bool normalState) {
    if (!normalState)
        return;
    settings.SetValue(Option::Hauteur, QString::number(rect.height));
    settings.SetValue(Option::Largeur, QString::number(rect.width));
    settings.SetValue(Option::PosGauche, QString::number(rect.left));
    settings.SetValue(Option::PosHaut, QString::number(rect.top));
}

} // namespace velmar
