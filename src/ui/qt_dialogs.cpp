#include "ui/qt_dialogs.h"

#include <QApplication>
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

} // namespace

int QtDialogs::message(const QString& text, int style) {
    QMessageBox box(iconOf(style), applicationTitle(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
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

} // namespace velmar::ui
