#include "store/registry.h"

#include "app/dialogs.h"
#include "app/files.h"
#include "app/phrases.h"
#include "platform/file_lock.h"
#include "store/collection_schema.h"
#include "store/compaction.h"
#include "store/db/name_index.h"
#include "store/file_moves.h"
#include "store/unfinished_explorations.h"

#include <QDir>
#include <QFile>
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

// A collection file moved aside by a delete until the registry is written.
QString deletedName(const QString& mdbPath) {
    QString path = mdbPath;
    path.chop(4); // ".mdb"
    return path + QStringLiteral(".del");
}

void warn(const QString& text) {
    dialogs().message(text, MessageStyle::Exclamation);
}

} // namespace

CollectionsRegistry::CollectionsRegistry(StorePaths paths) : m_paths(std::move(paths)) {}

CollectionsRegistry::~CollectionsRegistry() {
    m_database.close();
}

bool CollectionsRegistry::LoadRegistry() {
    const QString file = m_paths.registryFile();
    if (FichierExiste(file))
        return readRegistry();
    WriterLocks locks(m_paths);
    // Another process may have written it while this one waited.
    return locks.lockRegistry() && readRegistry() && (FichierExiste(file) || SaveRegistry());
}

bool CollectionsRegistry::readRegistry() {
    m_names.clear();
    const QString file = m_paths.registryFile();
    if (!FichierExiste(file))
        return true;
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
    QString error;
    if (writeTextLines(m_paths.registryFile(), lines, &error))
        return true;
    warn(error);
    return false;
}

bool CollectionsRegistry::lockAndReload(WriterLocks& locks) {
    if (!locks.lockRegistry())
        return false;
    // The list may have changed in another process since it was read.
    if (readRegistry())
        return true;
    warn(QStringLiteral("Impossible de lire le registre des collections ") +
         QDir::toNativeSeparators(m_paths.registryFile()) + QStringLiteral("."));
    return false;
}

std::unique_ptr<WriterLocks> CollectionsRegistry::lockOpenCollection() {
    if (!isOpen())
        return {};
    auto locks = std::make_unique<WriterLocks>(m_paths);
    if (!locks->lockCollection(m_current, m_names.at(m_current - 1)))
        return {};
    // A delete in another process renumbers the files: the lock taken must
    // still be the one of the collection this process has open.
    QStringList lines;
    if (!readTextLines(m_paths.registryFile(), lines) ||
        lines.value(m_current) != m_names.at(m_current - 1)) {
        warn(QStringLiteral("La liste des collections a été modifiée par un autre programme : rouvrez la "
                            "collection « ") +
             m_names.at(m_current - 1) + QStringLiteral(" »."));
        return {};
    }
    // The engine writes its journal beside the file: both must be writable,
    // or the first write would fail halfway through the operation.
    for (const QString& path : {m_paths.collectionFile(m_current), m_paths.baseDir()})
        if (!QFileInfo(path).isWritable()) {
            warn(QStringLiteral("Impossible de modifier la collection « ") + m_names.at(m_current - 1) +
                 QStringLiteral(" » : ") + QDir::toNativeSeparators(path) +
                 QStringLiteral(" n'est pas accessible en écriture."));
            return {};
        }
    return locks;
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
    QString reason;
    if (!openCollectionFile(n, reason)) {
        m_database.close();
        warn(QStringLiteral("Impossible d'ouvrir la collection ") + m_names.at(n - 1) + QStringLiteral(" (") +
             QDir::toNativeSeparators(m_paths.collectionFile(n)) + QStringLiteral(") : ") + reason);
        return false;
    }
    indexNamesUnlessBusy(n);
    m_current = n;
    m_view->collectionOpened(n, m_names.at(n - 1));
    ReportUnfinishedExplorations(m_database);
    return true;
}

// Building or catching up the name index writes the collection, so only a
// process that could take its writer lock does it. While another one explores
// the collection, the rows it adds wait for that exploration's own bulk
// indexing, and searches scan them meanwhile. Without its name index a
// collection still answers every search, by scanning.
void CollectionsRegistry::indexNamesUnlessBusy(int n) {
    FileLock writer(m_paths.collectionLockFile(n));
    if (writer.acquire(0))
        db::ensureNameIndex(m_database);
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

bool CollectionsRegistry::openCollectionFile(int n, QString& reason) {
    const QString file = m_paths.collectionFile(n);
    if (hasCompactionLeftovers(file)) {
        // Put back only when no process is compacting it right now; one that
        // is gets a moment to finish first.
        FileLock lock(m_paths.collectionLockFile(n));
        if (lock.acquire(WriterLocks::kWaitMs) && !restoreInterruptedCompaction(file, reason))
            return false;
    }
    if (!m_database.open(file)) {
        reason = QStringLiteral("fichier illisible (") + m_database.lastError() + QLatin1Char(')');
        return false;
    }
    return prepareCollection(m_database, reason);
}

bool CollectionsRegistry::CompacteBase(int n, QString& error) {
    return compactCollectionFile(m_paths.collectionFile(n), error);
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
    WriterLocks locks(m_paths);
    if (!lockAndReload(locks))
        return false;
    if (CollectionExists(name)) {
        dialogs().message(text::exists, MessageStyle::Exclamation);
        m_view->focusNewCollectionName();
        return false;
    }
    const QString file = m_paths.collectionFile(count() + 1);
    QFile model(m_paths.modelFile());
    if (!model.copy(file)) {
        warn(text::copyFailed + QLatin1Char('\n') +
             fileFailure(QStringLiteral("de créer"), file, model.errorString()));
        return false;
    }
    m_names << name;
    if (!SaveRegistry()) {
        m_names.removeLast();
        deleteFile(file);
        return false;
    }
    locks.releaseAll();
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
    WriterLocks locks(m_paths);
    if (!lockAndReload(locks))
        return false;
    if (CollectionExists(newName)) {
        dialogs().message(text::exists, MessageStyle::Exclamation);
        return false;
    }
    const int k = FindCollection(oldName);
    if (k == 0 || !locks.lockCollection(k, oldName))
        return false;
    CloseCollection();
    m_names[k - 1] = newName;
    const bool saved = SaveRegistry();
    if (!saved)
        m_names[k - 1] = oldName;
    FillCollectionLists();
    return saved;
}

bool CollectionsRegistry::askDeleteCollection(const QString& name) {
    if (dialogs().message(text::askDeleteOne, MessageStyle::Question) == MessageAnswer::No)
        return false;
    return deleteCollection(name);
}

bool CollectionsRegistry::deleteCollection(const QString& name) {
    CloseCollection();
    WriterLocks locks(m_paths);
    if (!lockAndReload(locks))
        return false;
    const int k = FindCollection(name);
    // Every file from k on is renumbered: none may be in use by a writer.
    if (k == 0 || !locks.lockCollections(k, m_names))
        return false;
    // The file goes aside and the next ones close the gap, so the files stay
    // numbered 1 ... count in registry order; the registry is written last.
    FileMoves moves;
    QString error;
    bool moved = moveAside(moves, k, error);
    for (int i = k; moved && i < count(); ++i)
        moved = moves.moveCollectionFile(m_paths.collectionFile(i + 1), m_paths.collectionFile(i), error);
    const QStringList before = m_names;
    m_names.removeAt(k - 1);
    if (!moved || !SaveRegistry()) {
        moves.undo();
        m_names = before;
        if (!moved)
            warn(error);
        FillCollectionLists();
        return false;
    }
    FillCollectionLists();
    return discardFile(deletedName(m_paths.collectionFile(k)));
}

bool CollectionsRegistry::moveAside(FileMoves& moves, int n, QString& error) {
    const QString aside = deletedName(m_paths.collectionFile(n));
    // A copy left by an earlier delete that could not remove it goes first.
    if (FichierExiste(aside) && !deleteFile(aside, &error))
        return false;
    return moves.moveCollectionFile(m_paths.collectionFile(n), aside, error);
}

bool CollectionsRegistry::discardFile(const QString& path) {
    QString error;
    if (!FichierExiste(path) || deleteFile(path, &error))
        return true;
    warn(error);
    return false;
}

bool CollectionsRegistry::askDeleteAllCollections() {
    if (dialogs().message(text::askDeleteAll, MessageStyle::Question) == MessageAnswer::No)
        return false;
    return deleteAllCollections();
}

bool CollectionsRegistry::deleteAllCollections() {
    CloseCollection();
    WriterLocks locks(m_paths);
    if (!lockAndReload(locks) || !locks.lockCollections(1, m_names))
        return false;
    FileMoves moves;
    QString error;
    bool moved = true;
    for (int i = 1; moved && i <= count(); ++i)
        moved = moveAside(moves, i, error);
    const QStringList before = m_names;
    m_names.clear();
    if (!moved || !SaveRegistry()) {
        moves.undo();
        m_names = before;
        if (!moved)
            warn(error);
        FillCollectionLists();
        return false;
    }
    FillCollectionLists();
    bool discarded = true;
    for (int i = 1; i <= before.size(); ++i)
        discarded = discardFile(deletedName(m_paths.collectionFile(i))) && discarded;
    return discarded;
}

bool CollectionsRegistry::compactOpenCollection() {
    if (!TesteSiCollectionOuverte())
        return false;
    const int n = m_current;
    const std::unique_ptr<WriterLocks> lock = lockOpenCollection();
    if (!lock)
        return false;
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
