#include "ui/configuration_panel.h"

#include "app/dialogs.h"
#include "app/files.h"
#include "app/launch.h"
#include "app/session.h"
#include "explore/analysed_types.h"
#include "fileinfo/extension_table.h"
#include "platform/platform.h"
#include "ui/named_widgets.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace velmar::ui {

namespace {

QListWidget* namedList(const QString& name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    return list;
}

void fillFromFile(QListWidget* list, const QString& file) {
    list->clear();
    QStringList lines;
    readTextLines(file, lines);
    for (const QString& line : lines)
        if (!line.isEmpty())
            list->addItem(line);
}

} // namespace

ConfigurationPanel::ConfigurationPanel(QWidget* parent)
    : QFrame(parent), m_ignoredExts(namedList(QStringLiteral("ListeExtExclus"), this)),
      m_analysed(namedList(QStringLiteral("ListeExtensionsAnalysees"), this)),
      m_ignoredDirs(namedList(QStringLiteral("ListeRepExclus"), this)) {
    setObjectName(QStringLiteral("ssConfiguration"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto* grid = new QGridLayout(this);
    auto* title = panelTitle(QStringLiteral("Configuration de Velmar +"), this);
    QPushButton* editExts =
        namedButton(QStringLiteral("cmdModifierListeExtExclues"), QStringLiteral("Modifier la liste"), this);
    QPushButton* editDirs =
        namedButton(QStringLiteral("cmdModifierListeRepExclus"), QStringLiteral("Modifier la liste"), this);
    QPushButton* close = namedButton(QStringLiteral("cmdFermeConfig"), QStringLiteral("Fermer"), this);
    grid->addWidget(title, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Extensions sans importance  :"), this), 1, 0);
    grid->addWidget(
        new QLabel(QStringLiteral("Types de fichiers analysés en profondeur pour fixer le commentaire :"),
                   this),
        1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Répertoires sans importance  :"), this), 1, 2);
    grid->addWidget(m_ignoredExts, 2, 0);
    grid->addWidget(m_analysed, 2, 1);
    grid->addWidget(m_ignoredDirs, 2, 2);
    grid->addWidget(editExts, 3, 0);
    grid->addWidget(editDirs, 3, 2);
    grid->addWidget(close, 4, 2, Qt::AlignRight);
    connect(editExts, &QPushButton::clicked, this, [this] { editList(session().paths.ignoredExtsFile); });
    connect(editDirs, &QPushButton::clicked, this, [this] { editList(session().paths.ignoredDirsFile); });
    connect(close, &QPushButton::clicked, this, &ConfigurationPanel::closeRequested);
    connect(m_analysed, &QListWidget::itemChanged, this, [this] {
        if (!m_filling)
            TypesAnalyses_Modifie();
    });
    refresh();
}

void ConfigurationPanel::refresh() {
    fillFromFile(m_ignoredExts, session().paths.ignoredExtsFile);
    fillFromFile(m_ignoredDirs, session().paths.ignoredDirsFile);
    TypesAnalyses_Affiche();
}

void ConfigurationPanel::TypesAnalyses_Affiche() {
    m_filling = true;
    m_analysed->clear();
    for (const AnalysedTypeLine& line : readAnalysedTypeLines(session().paths.analysedTypesFile)) {
        bool program = false;
        bool archive = false;
        auto* item = new QListWidgetItem(line.extension + QStringLiteral(" (") +
                                             DescriptionTypeFichier(line.extension, program, archive) + ')',
                                         m_analysed);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(line.analysed ? Qt::Checked : Qt::Unchecked);
    }
    m_filling = false;
}

void ConfigurationPanel::TypesAnalyses_Modifie() {
    QList<bool> checks;
    for (int i = 0; i < m_analysed->count(); ++i)
        checks << (m_analysed->item(i)->checkState() == Qt::Checked);
    const DataLayout& p = session().paths;
    QString error;
    if (!rewriteAnalysedTypes(p.analysedTypesFile, checks, error))
        dialogs().message(error, MessageStyle::Exclamation);
}

void ConfigurationPanel::editList(const QString& file) {
    LaunchRequest request;
    request.path = file;
    request.mustExist = true;
    LanceFichier(request);
}

} // namespace velmar::ui
