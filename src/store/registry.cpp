#include "store/registry.h"

#include "app/dialogs.h"
#include "app/files.h"
#include "app/phrases.h"
#include "store/db_name_index.h"

#include <QDir>
#include <QFileInfo>

namespace velmar {

namespace {

namespace text {
const QString noCollection = QStringLiteral(" Aucune collection");
const QString listsCaption = QStringLiteral("Liste des répertoires et des fichiers");
const QString notFound = QStringLiteral("Collection non trouvé !");
const QString selectFirst = QStringLiteral("Vous devez sélectionner une collection auparavant !");
const QString createFirst =
    QStringLiteral("Vous devez créer une collection auparavant (via l'icône représentant une valise).");
const QString exists = QStringLiteral("Cette collection existe déjà !");
const QString copyFailed = QStringLiteral("Impossible de copier le modèle de base de données !");
const QString askDeleteOne = QStringLiteral("Effacer cette collection ?");
const QString askDeleteAll = QStringLiteral("Effacer toutes les collections ?");
const QString compacted = QStringLiteral("Compactage effectué.");
const QString renameTitle = QStringLiteral("Renommer une collection");
const QString renamePrompt = QStringLiteral("Veuillez entrer le nouveau nom pour cette collection");
} // namespace text

QString withSuffix(const QString& mdbPath, const QString& suffix) {
    QString path = mdbPath;
    path.chop(4); // ".mdb"
    return path + suffix;
}

} // namespace

CollectionsRegistry::CollectionsRegistry(StorePaths paths) : m_paths(std::move(paths)) {}

CollectionsRegistry::~CollectionsRegistry() {
    m_database.close();
}

bool CollectionsRegistry::LoadRegistry() {
    m_names.clear();
    const QString file = m_paths.registryFile();
    if (!FichierExiste(file))
        return SaveRegistry();
    QStringList lines;
    if (!readTextLines(file, lines))
        return false;
    // Line 1 holds the count, which the names themselves make redundant.
    m_names = lines.mid(1);
    return true;
}

bool CollectionsRegistry::SaveRegistry() const {
    QStringList lines;
    lines << QLatin1Char(' ') + QString::number(count()) + QLatin1Char(' ');
    lines << m_names;
    return writeTextLines(m_paths.registryFile(), lines);
}

CollectionLists CollectionsRegistry::collectionLists() const {
    CollectionLists lists;
    lists.listEntries = m_names;
    lists.comboEntries << text::noCollection;
    lists.comboEntries << m_names;
    return lists;
}

void CollectionsRegistry::FillCollectionLists() {
    m_view->listsChanged(collectionLists());
    ShowNoCollection();
}

NoCollectionState CollectionsRegistry::noCollectionState() const {
    return NoCollectionState{text::listsCaption, text::noCollection, false, false};
}

void CollectionsRegistry::ShowNoCollection() {
    m_view->showNoCollection(noCollectionState());
}

bool CollectionsRegistry::CollectionExists(const QString& name) const {
    return m_names.contains(name);
}

int CollectionsRegistry::FindCollection(const QString& name) const {
    const qsizetype index = m_names.indexOf(name);
    if (index < 0) {
        dialogs().message(text::notFound, MessageStyle::Exclamation);
        return 0;
    }
    return static_cast<int>(index) + 1;
}

bool CollectionsRegistry::OpenCollection(int n) {
    if (n == m_current)
        return isOpen();
    if (n < 1 || n > count())
        return false;
    m_view->hidePanels();
    CloseCollection();
    if (!m_database.open(m_paths.collectionFile(n))) {
        dialogs().message(QStringLiteral("Impossible d'ouvrir la collection ") + m_names.at(n - 1) +
                              QStringLiteral(" : ") + m_database.lastError(),
                          MessageStyle::Exclamation);
        return false;
    }
    // Without its name index a collection still answers every search, by
    // scanning: a file that cannot take the index now is used as it is.
    db::ensureNameIndex(m_database);
    m_current = n;
    m_view->collectionOpened(n, m_names.at(n - 1));
    return true;
}

void CollectionsRegistry::CloseCollection() {
    if (isOpen()) {
        m_view->releaseSearch();
        m_view->resetBrowseSelection();
        m_database.close();
        m_current = 0;
    }
    ShowNoCollection();
}

bool CollectionsRegistry::TesteSiCollectionOuverte() {
    if (isOpen())
        return true;
    if (count() > 0) {
        dialogs().message(text::selectFirst, MessageStyle::Exclamation);
    } else {
        dialogs().message(text::createFirst, MessageStyle::Exclamation);
        m_view->showNewCollectionPanel();
        m_view->focusNewCollectionName();
    }
    return false;
}

bool CollectionsRegistry::CompacteBase(int n, QString& error) {
    const QString mdb = m_paths.collectionFile(n);
    const QString tmp = withSuffix(mdb, QStringLiteral(".tmp"));
    const QString old = withSuffix(mdb, QStringLiteral(".old"));
    if (FichierExiste(tmp) && !deleteFile(tmp)) {
        error = QStringLiteral("le fichier ") + QDir::toNativeSeparators(tmp) +
                QStringLiteral(" ne peut être effacé");
        return false;
    }
    if (!db::Database::compact(mdb, tmp, error)) {
        deleteFile(tmp);
        return false;
    }
    if (FichierExiste(old))
        deleteFile(old);
    if (!renameFile(mdb, old)) {
        deleteFile(tmp);
        error = QStringLiteral("le fichier ") + QDir::toNativeSeparators(mdb) +
                QStringLiteral(" ne peut être remplacé");
        return false;
    }
    if (!renameFile(tmp, mdb)) {
        renameFile(old, mdb);
        deleteFile(tmp);
        error = QStringLiteral("le fichier compacté ne peut prendre le nom ") + QDir::toNativeSeparators(mdb);
        return false;
    }
    deleteFile(old);
    return true;
}

QString CollectionsRegistry::newCollectionPanelText() {
    return QStringLiteral(
               "  Une collection peut comprendre plusieurs supports : vous pouvez donc réunir dans une "
               "même collection une série de CD-Rom.") +
           QStringLiteral("\n\n") +
           QStringLiteral(
               "   En créant une collection, vous indiquez à Velmar + le nom de la base dans laquelle "
               "seront stockées les données des supports.");
}

bool CollectionsRegistry::createCollection(const QString& name) {
    if (name.isEmpty())
        return false;
    if (CollectionExists(name)) {
        dialogs().message(text::exists, MessageStyle::Exclamation);
        m_view->focusNewCollectionName();
        return false;
    }
    if (!copyFile(m_paths.modelFile(), m_paths.collectionFile(count() + 1))) {
        dialogs().message(text::copyFailed, MessageStyle::Exclamation);
        return false;
    }
    m_names << name;
    SaveRegistry();
    CloseCollection();
    FillCollectionLists();
    m_view->hideNewCollectionPanel();
    const int n = FindCollection(name);
    return n > 0 && OpenCollection(n);
}

bool CollectionsRegistry::chooseFromCombo(const QString& comboText) {
    bool opened = false;
    if (comboText == text::noCollection) {
        CloseCollection();
    } else {
        const int n = FindCollection(comboText);
        opened = n > 0 && OpenCollection(n);
    }
    m_view->hidePanels();
    return opened;
}

bool CollectionsRegistry::openByName(const QString& name) {
    m_view->hidePanels();
    const int n = FindCollection(name);
    return n > 0 && OpenCollection(n);
}

CollectionFileInfo CollectionsRegistry::selectionInfo(const QString& name) const {
    CollectionFileInfo info;
    const qsizetype index = m_names.indexOf(name);
    if (index < 0)
        return info;
    const QString path = m_paths.collectionFile(static_cast<int>(index) + 1);
    info.fileName = QFileInfo(path).fileName();
    info.exists = FichierExiste(path);
    if (info.exists)
        info.sizeText = sizePhrase(TailleFichier(path), false);
    else
        dialogs().message(QStringLiteral("Le fichier ") + QDir::toNativeSeparators(path) +
                              QStringLiteral(" est introuvable !"),
                          MessageStyle::Exclamation);
    return info;
}

bool CollectionsRegistry::renameCollection(const QString& oldName) {
    if (oldName.isEmpty() || FindCollection(oldName) == 0)
        return false;
    const QString answer = dialogs().inputBox(text::renamePrompt, text::renameTitle, oldName);
    return renameCollectionTo(oldName, answer);
}

bool CollectionsRegistry::renameCollectionTo(const QString& oldName, const QString& newName) {
    if (newName.isEmpty() || newName == text::noCollection || newName == oldName)
        return false;
    if (CollectionExists(newName)) {
        dialogs().message(text::exists, MessageStyle::Exclamation);
        return false;
    }
    const int k = FindCollection(oldName);
    if (k == 0)
        return false;
    CloseCollection();
    m_names[k - 1] = newName;
    SaveRegistry();
    FillCollectionLists();
    return true;
}

bool CollectionsRegistry::askDeleteCollection(const QString& name) {
    if (dialogs().message(text::askDeleteOne, MessageStyle::Question) == MessageAnswer::No)
        return false;
    return deleteCollection(name);
}

bool CollectionsRegistry::deleteCollection(const QString& name) {
    CloseCollection();
    const int k = FindCollection(name);
    if (k == 0)
        return false;
    const int before = count();
    m_names.removeAt(k - 1);
    SaveRegistry();
    FillCollectionLists();
    deleteFile(m_paths.collectionFile(k));
    // Close the gap: the files stay numbered 1 ... count in registry order.
    for (int i = k; i < before; ++i)
        renameFile(m_paths.collectionFile(i + 1), m_paths.collectionFile(i));
    return true;
}

bool CollectionsRegistry::askDeleteAllCollections() {
    if (dialogs().message(text::askDeleteAll, MessageStyle::Question) == MessageAnswer::No)
        return false;
    deleteAllCollections();
    return true;
}

void CollectionsRegistry::deleteAllCollections() {
    CloseCollection();
    for (int i = 1; i <= count(); ++i)
        deleteFile(m_paths.collectionFile(i));
    m_names.clear();
    SaveRegistry();
    FillCollectionLists();
}

bool CollectionsRegistry::compactOpenCollection() {
    if (!TesteSiCollectionOuverte())
        return false;
    const int n = m_current;
    chooseFromCombo(text::noCollection);
    QString error;
    const bool compacted = CompacteBase(n, error);
    m_view->hidePanels();
    OpenCollection(n);
    if (!compacted) {
        dialogs().message(QStringLiteral("Le compactage a échoué : ") + error, MessageStyle::Exclamation);
        return false;
    }
    dialogs().message(text::compacted, MessageStyle::Information);
    return true;
}

qint64 CollectionsRegistry::collectionFilesSize() const {
    qint64 total = 0;
    const QFileInfoList entries =
        QDir(m_paths.baseDir()).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries)
        total += entry.size();
    return total - TailleFichier(m_paths.modelFile());
}

QString CollectionsRegistry::summaryLine(int listEntryCount) const {
    return countText(listEntryCount, QStringLiteral("# collection - "), QStringLiteral("# collections - ")) +
           sizePhrase(collectionFilesSize(), false);
}

} // namespace velmar
