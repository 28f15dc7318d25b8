#pragma once

// Counts a collection's catalogued files on a thread of its own: over a
// million files the count scans an index for a tenth of a second, which a
// window opening the collection should not wait for. The latest request wins;
// a count that arrives after a newer request was made is dropped.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QThread;

namespace velmar::ui {

class BackgroundFileCount final : public QObject {
    Q_OBJECT
public:
    explicit BackgroundFileCount(QObject* parent = nullptr);
    // Waits for the counts under way.
    ~BackgroundFileCount() override;

    // Counts the files of `collectionFile`; an empty name counts none at once.
    void start(const QString& collectionFile);

signals:
    // The count of the latest request; -1 when the file could not be read.
    void counted(qint64 files);

private:
    void finish(int request, qint64 files);

    int m_request = 0;
    QList<QPointer<QThread>> m_running;
};

} // namespace velmar::ui
