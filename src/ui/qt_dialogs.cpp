#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace velmar::ui {

namespace {

QMessageBox::Icon iconOf(int style) {
    switch (style) {
    case MessageStyle::Critical:
        return QMessageBox::Critical;
    case MessageStyle::Question:
        return QMessageBox::Question;
    case MessageStyle::Exclamation:
        return QMessageBox::Warning;
    case MessageStyle::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The window manager writes the title in the frame, in a font often larger
// than the box's and beside its buttons: a box sized to a short text would
// cut the title ("Vel…r +"). A spacer across the box's grid keeps it wide
// enough for the title and the frame's buttons.
void reserveTitleWidth(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    const int width = metrics.horizontalAdvance(box.windowTitle()) * 5 / 4 + metrics.height() * 8;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0,
                  1, grid->columnCount());
}

} // namespace

int QtDialogs::message(const QString& text, int style) {
    QMessageBox box(iconOf(style), applicationTitle(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    reserveTitleWidth(box);
    if (style == MessageStyle::Question) {
        QPushButton* yes = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == static_cast<QAbstractButton*>(yes) ? MessageAnswer::Yes
                                                                         : MessageAnswer::No;
    }
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
    return MessageAnswer::Ok;
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& proposal) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title.isEmpty() ? applicationTitle() : title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(proposal);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QString QtDialogs::saveFileName(const QString& title, const QString& proposal, const QString& filters) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, proposal, filters);
}

} // namespace velmar::ui
