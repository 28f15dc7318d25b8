#include "ui/file_icons.h"

#include "platform/platform.h"

#include <QApplication>
#include <QLabel>
#include <QMimeDatabase>
#include <QStyle>

namespace velmar::ui {

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

void DessineIconeFichier(const QString& fileName, IconSize size, QLabel* pictureBox) {
    pictureBox->clear();
    const QIcon icon = IconeSysteme(fileName);
    if (icon.isNull())
        return;
    const int extent = size == IconSize::Large ? 32 : 16;
    pictureBox->setPixmap(icon.pixmap(extent, extent));
}

} // namespace velmar::ui
