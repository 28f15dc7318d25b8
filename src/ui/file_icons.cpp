#include "ui/file_icons.h"

#include "platform/platform.h"

#include <QApplication>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QMimeDatabase>
#include <QStyle>

namespace velmar::ui {

void useFallbackIconTheme() {
    const QString fallback = QString::fromLatin1(kFallbackIconTheme);
    QIcon::setFallbackThemeName(fallback);
    // "hicolor" is the last resort of every theme and holds no file types.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(fallback);
}

QIcon IconeSysteme(const QString& fileName) {
    const QString name = platform().iconNameForFile(fileName);
    if (!name.isEmpty()) {
        const QIcon themed = QIcon::fromTheme(name);
        if (!themed.isNull())
            return themed;
        const QString generic =
            QMimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension).genericIconName();
        const QIcon family = QIcon::fromTheme(generic);
        if (!family.isNull())
            return family;
    }
    const QIcon unknown = QIcon::fromTheme(QStringLiteral("text-x-generic"));
    return unknown.isNull() ? QApplication::style()->standardIcon(QStyle::SP_FileIcon) : unknown;
}

QIcon typeIcon(const QString& fileName) {
    static QHash<QString, QIcon> byExtension;
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix.isEmpty())
        return IconeSysteme(fileName);
    auto known = byExtension.constFind(suffix);
    if (known == byExtension.constEnd())
        known = byExtension.insert(suffix, IconeSysteme(fileName));
    return *known;
}

void DessineIconeFichier(const QString& fileName, IconSize size, QLabel* pictureBox) {
    pictureBox->clear();
    const QIcon icon = IconeSysteme(fileName);
    if (icon.isNull())
        return;
    const int extent = size == IconSize::Large ? 32 : 16;
    pictureBox->setPixmap(icon.pixmap(extent, extent));
}

} // namespace velmar::ui
