#pragma once

// The exploration's writes into the open collection: the support row, then
// directory and file rows inserted through prepared statements inside
// transactions committed in batches, so a stop keeps every row written and a
// crash loses at most the batch in flight.

#include "explore/exploration_store.h"
#include "explore/support_update_store.h"
#include "store/db/database.h"
#include "store/db/transaction.h"
#include "store/queued_insert.h"

#include <QElapsedTimer>
#include <QHash>

#include <memory>

namespace velmar {

class CatalogueWriter final : public ExplorationStore, public SupportUpdateStore {
public:
    explicit CatalogueWriter(db::Database& database);
    ~CatalogueWriter() override;

    qint64 countSupportsWithIdentifiant(const QString& serial) override;
    bool addSupport(const QString& name, const QString& drive, int type, const QString& serial,
                    const QString& label) override;
    bool findSupportByName(const QString& name, int& number) override;
    qint64 findDirectory(const QString& path, int support) override;
    bool addDirectory(int support, const QString& parentPath, const QString& name,
                      qint64 parentNumber) override;
    bool addFile(const FileRow& row) override;
    void batchBoundary() override;
    void commit() override;
    void updateSupportTotals(const QString& supportName) override;
    QString storeFile() const override;
    QString writeError() const override { return m_error; }
    qint64 storedDirectories(int support) override;
    QHash<QString, qint64> storedFilesByExtension(int support) override;
    bool findUnfinishedSupport(const QString& name, int& number) override;
    void explorationFinished(int support) override;
    bool deleteSupport(int support) override;
    PreviousFiles previousFiles(int support) override;
    bool mergeUpdate(int staging, int target, const PreviousFiles& previous, UpdateSummary& summary) override;

    // The engine's reason for the first failed write, "" when none failed.
    const QString& lastError() const { return m_error; }

private:
    bool begin();
    bool record(bool ok, const QString& reason);
    bool startFileInserts();
    // Waits for the queued file rows: called before any other use of the database.
    void settle();

    db::Database& m_db;
    std::unique_ptr<db::Transaction> m_transaction;
    db::BulkInsert m_directories;
    std::unique_ptr<db::QueuedInsert> m_files; // file rows go in on a thread of their own
    qint64 m_pending = 0;
    // Numbers of the directories this writer added, by support and path; the
    // table is emptied when full, which only sends lookups to the database.
    static constexpr qsizetype kRememberedDirectories = 100000;
    QHash<std::pair<int, QString>, qint64> m_added;
    QElapsedTimer m_sinceCommit;
    QString m_error;
};

} // namespace velmar
