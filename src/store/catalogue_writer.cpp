#include "store/catalogue_writer.h"

#include "store/catalogue.h"
#include "store/db/name_index.h"
#include "store/db/statistics.h"
#include "store/maintenance.h"
#include "store/support_merge.h"
#include "store/unfinished_explorations.h"
#include "store/volume_labels.h"

namespace velmar {

namespace {

// A batch is committed at a directory boundary once it holds this many rows or
// is this old: few enough commits to keep inserting fast, small enough losses.
constexpr qint64 kBatchRows = 20000;
constexpr qint64 kBatchMilliseconds = 2000;

} // namespace

CatalogueWriter::CatalogueWriter(db::Database& database) : m_db(database) {}

CatalogueWriter::~CatalogueWriter() {
    commit();
}

qint64 CatalogueWriter::countSupportsWithIdentifiant(const QString& serial) {
    settle();
    return CountSupportsWithIdentifiant(m_db, serial);
}

// The support row and its mark of an unfinished exploration go in together.
bool CatalogueWriter::addSupport(const QString& name, const QString& drive, int type, const QString& serial,
                                 const QString& label) {
    commit();
    db::Transaction transaction(m_db);
    if (!record(transaction.active(), m_db.lastError()) ||
        !AddSupport(m_db, name, drive, type, serial.toLongLong()))
        return false;
    int support = 0;
    return FindSupportByName(m_db, name.left(50), support) &&
           record(MarkExplorationStarted(m_db, support) && storeVolumeLabel(m_db, support, label) &&
                      transaction.commit(),
                  m_db.lastError());
}

bool CatalogueWriter::findSupportByName(const QString& name, int& number) {
    settle();
    return FindSupportByName(m_db, name, number);
}

qint64 CatalogueWriter::findDirectory(const QString& path, int support) {
    const auto known = m_added.constFind({support, path});
    if (known != m_added.cend())
        return known.value();
    settle();
    return FindDirectory(m_db, path, support);
}

bool CatalogueWriter::begin() {
    if (m_transaction)
        return true;
    m_transaction = std::make_unique<db::Transaction>(m_db);
    // The support's names are indexed in bulk once its rows are stored.
    if (!m_transaction->active() || !db::deferNameIndex(m_db)) {
        m_transaction.reset();
        return record(false, m_db.lastError());
    }
    if (!m_directories.ok())
        m_directories =
            m_db.prepareInsert(QStringLiteral("Repertoires"),
                               {QStringLiteral("NumSupport"), QStringLiteral("RepertoireParent"),
                                QStringLiteral("RepertoireSeul"), QStringLiteral("NumRepertoireParent")});
    m_sinceCommit.start();
    return true;
}

bool CatalogueWriter::record(bool ok, const QString& reason) {
    if (!ok && m_error.isEmpty())
        m_error = reason.isEmpty() ? QStringLiteral("erreur inconnue") : reason;
    return ok;
}

bool CatalogueWriter::startFileInserts() {
    db::BulkInsert files = m_db.prepareInsert(QStringLiteral("Fichiers"),
                                              {QStringLiteral("Infos"), QStringLiteral("NumSupport"),
                                               QStringLiteral("NumRepertoire"), QStringLiteral("Fichier"),
                                               QStringLiteral("Taille"), QStringLiteral("Extension"),
                                               QStringLiteral("DerniereModif"), QStringLiteral("CRC")});
    if (!files.ok())
        return record(false, files.error());
    m_files = std::make_unique<db::QueuedInsert>(std::move(files));
    return true;
}

void CatalogueWriter::settle() {
    if (m_files && !m_files->finish())
        record(false, m_files->error());
}

bool CatalogueWriter::addDirectory(int support, const QString& parentPath, const QString& name,
                                   qint64 parentNumber) {
    settle();
    if (!begin())
        return false;
    ++m_pending;
    if (!record(m_directories.insert({support, parentPath, name, parentNumber}), m_directories.error()))
        return false;
    // Both phases look each new directory up again, by the path it was given.
    if (m_added.size() >= kRememberedDirectories)
        m_added.clear();
    m_added.insert({support, parentPath.isEmpty() ? name : parentPath + QLatin1Char('\\') + name},
                   m_directories.lastInsertId());
    return true;
}

bool CatalogueWriter::addFile(const FileRow& row) {
    if (!begin() || (!m_files && !startFileInserts()))
        return false;
    ++m_pending;
    const QVariant modified = row.modified.isEmpty() ? QVariant() : QVariant(row.modified);
    // A failure shows at the next settle(), in lastError().
    m_files->insert(
        {row.infos, row.support, row.directory, row.name, row.size, row.extension, modified, row.crc});
    return true;
}

void CatalogueWriter::batchBoundary() {
    if (m_transaction && (m_pending >= kBatchRows || m_sinceCommit.elapsed() >= kBatchMilliseconds))
        commit();
}

void CatalogueWriter::commit() {
    // Statements are finished before the transaction ends so that nothing
    // holds the database once the batch is durable.
    settle();
    m_directories = db::BulkInsert();
    m_files.reset();
    if (m_transaction) {
        record(m_transaction->commit(), m_db.lastError());
        m_transaction.reset();
    }
    m_pending = 0;
}

void CatalogueWriter::updateSupportTotals(const QString& supportName) {
    commit();
    record(UpdateSupportTotals(m_db, supportName, 0), m_db.lastError());
    const bool indexed = db::catchUpNameIndex(m_db);
    record(indexed, m_db.lastError());
    // The support's rows change the shape of the tables the searches plan on.
    db::refreshPlannerStatistics(m_db);
}

QString CatalogueWriter::storeFile() const {
    return m_db.path();
}

qint64 CatalogueWriter::storedDirectories(int support) {
    settle();
    return CountSupportDirectories(m_db, support);
}

QHash<QString, qint64> CatalogueWriter::storedFilesByExtension(int support) {
    settle();
    QHash<QString, qint64> counts;
    for (db::Recordset rs =
             m_db.openRecordset(QStringLiteral("SELECT Extension, COUNT(*) AS Nombre FROM Fichiers WHERE "
                                               "NumSupport = ? GROUP BY Extension"),
                                {support});
         !rs.eof(); rs.moveNext())
        counts.insert(rs.field(QStringLiteral("Extension")).toText(),
                      rs.field(QStringLiteral("Nombre")).toNumber());
    return counts;
}

bool CatalogueWriter::findUnfinishedSupport(const QString& name, int& number) {
    settle();
    const QStringList unfinished = UnfinishedSupportNames(m_db);
    return unfinished.contains(name, Qt::CaseInsensitive) && FindSupportByName(m_db, name, number);
}

void CatalogueWriter::explorationFinished(int support) {
    commit();
    record(MarkExplorationFinished(m_db, support), m_db.lastError());
}

bool CatalogueWriter::deleteSupport(int support) {
    commit();
    return record(DeleteSupportRows(m_db, support), m_db.lastError());
}

PreviousFiles CatalogueWriter::previousFiles(int support) {
    commit();
    return LoadPreviousFiles(m_db, support);
}

bool CatalogueWriter::mergeUpdate(int staging, int target, const PreviousFiles& previous,
                                  UpdateSummary& summary) {
    commit();
    // The support's directories were remembered under the fresh exploration's numbers.
    m_added.clear();
    return record(MergeSupportUpdate(m_db, staging, target, previous, summary), m_db.lastError());
}

} // namespace velmar
