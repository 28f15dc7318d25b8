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
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

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
    // One list under the other, each under its caption: the panel lives in
    // the side column, narrower than three lists side by side would need.
    auto* layout = new QVBoxLayout(this);
    QPushButton* editExts =
        namedButton(QStringLiteral("cmdModifierListeExtExclues"), QStringLiteral("Modifier la liste"), this);
    QPushButton* editDirs =
        namedButton(QStringLiteral("cmdModifierListeRepExclus"), QStringLiteral("Modifier la liste"), this);
    QPushButton* close = namedButton(QStringLiteral("cmdFermeConfig"), QStringLiteral("Fermer"), this);
    layout->addWidget(panelTitle(QStringLiteral("Configuration de Velmar +"), this));
    // The analysed types are the longest list: twice the height of the others.
    addList(layout, QStringLiteral("Extensions sans importance  :"), m_ignoredExts, editExts, 1);
    addList(layout, QStringLiteral("Types de fichiers analysés en profondeur pour fixer le commentaire :"),
            m_analysed, nullptr, 2);
    addList(layout, QStringLiteral("Répertoires sans importance  :"), m_ignoredDirs, editDirs, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(editExts, &QPushButton::clicked, this, [this] { editList(session().paths.ignoredExtsFile); });
    connect(editDirs, &QPushButton::clicked, this, [this] { editList(session().paths.ignoredDirsFile); });
    connect(close, &QPushButton::clicked, this, &ConfigurationPanel::closeRequested);
    connect(m_analysed, &QListWidget::itemChanged, this, [this] {
        if (!m_filling)
            TypesAnalyses_Modifie();
    });
    refresh();
}

void ConfigurationPanel::addList(QVBoxLayout* layout, const QString& caption, QListWidget* list,
                                 QPushButton* edit, int stretch) {
    auto* label = new QLabel(caption, this);
    label->setWordWrap(true);
    label->setBuddy(list);
    layout->addWidget(label);
    layout->addWidget(list, stretch);
    if (edit)
        layout->addWidget(edit, 0, Qt::AlignLeft);
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
