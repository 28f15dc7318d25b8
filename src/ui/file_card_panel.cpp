#include "ui/file_card_panel.h"

#include "app/local_date.h"
#include "ui/file_icons.h"
#include "ui/named_widgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>

namespace velmar::ui {

FileCardPanel::FileCardPanel(QWidget* host) : QObject(host) {
    m_panel = namedPanel(QStringLiteral("ssFicheFichier"), host);
    auto* grid = new QGridLayout(m_panel);
    m_icon = namedLabel(QStringLiteral("pictIconeFichier"), QString(), m_panel);
    m_icon->setFixedSize(36, 36);
    m_title = namedLabel(QStringLiteral("lblNomFichier"), QStringLiteral("Nom du programme"), m_panel);
    m_title->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 11pt;"));
    m_title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_title->setWordWrap(true);
    grid->addWidget(m_icon, 0, 0);
    grid->addWidget(m_title, 0, 1);
    m_path = addField(QStringLiteral("lblChemin"), QStringLiteral("Chemin :"), 1);
    m_type = addField(QStringLiteral("lblType"), QStringLiteral("Type :"), 2);
    m_modified = addField(QStringLiteral("lblDerniereModif"), QStringLiteral("Dernière modif :"), 3);
    m_size = addField(QStringLiteral("lblTaille"), QStringLiteral("Taille :"), 4);
    m_support = addField(QStringLiteral("lblSupport"), QStringLiteral("Support :"), 5);
    m_crc = addField(QStringLiteral("lblCRC"), QStringLiteral("CRC-32 :"), 6);
    m_comment = new QPlainTextEdit(m_panel);
    m_comment->setObjectName(QStringLiteral("txtInfosFichier"));
    m_comment->setMaximumHeight(90);
    grid->addWidget(m_comment, 7, 0, 1, 2);

    QPushButton* open =
        namedButton(QStringLiteral("cmdExecuteFichier"), QStringLiteral("Executer"), m_panel,
                    QStringLiteral("Exécuter le programme ou lancer l'application associée."));
    QPushButton* remove = namedButton(QStringLiteral("cmdSupprimer"), QStringLiteral("Supprimer"), m_panel,
                                      QStringLiteral("Supprimer le fichier de la base."));
    m_store = namedButton(QStringLiteral("cmdModifier"), QStringLiteral("Modifier"), m_panel);
    QPushButton* copy = namedButton(QStringLiteral("cmdCopier"), QStringLiteral("Copier"), m_panel,
                                    QStringLiteral("Copier le fichier."));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {open, remove, m_store, copy})
        buttons->addWidget(b);
    grid->addLayout(buttons, 8, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(open, &QPushButton::clicked, this, &FileCardPanel::openRequested);
    connect(remove, &QPushButton::clicked, this, &FileCardPanel::deleteRequested);
    connect(copy, &QPushButton::clicked, this, &FileCardPanel::copyRequested);
    connect(m_store, &QPushButton::clicked, this, &FileCardPanel::storeCommentRequested);
    connect(m_comment, &QPlainTextEdit::textChanged, this, [this] { m_store->setEnabled(true); });
}

QLabel* FileCardPanel::addField(const QString& name, const QString& caption, int row) {
    auto* grid = static_cast<QGridLayout*>(m_panel->layout());
    grid->addWidget(new QLabel(caption, m_panel), row, 0);
    QLabel* value = namedLabel(name, QString(), m_panel);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setWordWrap(true);
    grid->addWidget(value, row, 1);
    return value;
}

void FileCardPanel::show(const FileCardData& card) {
    m_title->setText(card.name);
    m_path->setText(card.path);
    m_type->setText(card.type);
    m_modified->setText(shortLocalDate(card.modified));
    m_size->setText(card.size);
    m_support->setText(card.support);
    m_crc->setText(card.crc);
    DessineIconeFichier(card.name, IconSize::Large, m_icon);
    m_comment->setPlainText(card.infos);
    m_store->setEnabled(false);
    m_panel->show();
    m_panel->raise();
}

QString FileCardPanel::comment() const {
    return m_comment->toPlainText();
}

void FileCardPanel::commentStored() {
    m_store->setEnabled(false);
}

} // namespace velmar::ui
