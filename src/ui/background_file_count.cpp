#include "ui/background_file_count.h"

#include "store/catalogue.h"

#include <QThread>

namespace velmar::ui {

BackgroundFileCount::BackgroundFileCount(QObject* parent) : QObject(parent) {}

BackgroundFileCount::~BackgroundFileCount() {
    for (const QPointer<QThread>& thread : std::as_const(m_running))
        if (thread)
            thread->wait();
}

void BackgroundFileCount::start(const QString& collectionFile) {
    const int request = ++m_request;
    if (collectionFile.isEmpty()) {
        emit counted(0);
        return;
    }
    m_running.removeAll(nullptr);
    QThread* thread = QThread::create([this, request, collectionFile] {
        const qint64 files = CountCatalogueFiles(collectionFile);
        // Delivered on this object's thread; the destructor waits for this
        // thread, so `this` outlives the call.
        QMetaObject::invokeMethod(
            this, [this, request, files] { finish(request, files); }, Qt::QueuedConnection);
    });
    thread->setParent(this);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    m_running << thread;
    thread->start(QThread::LowPriority);
}

void BackgroundFileCount::finish(int request, qint64 files) {
    if (request == m_request)
        emit counted(files);
}

} // namespace velmar::ui
