#pragma once

// The widget a window test drives, found by its objectName as a user finds it
// by its place; a missing one stops the run, naming it.

#include <QObject>
#include <QString>
#include <QtGlobal>

namespace velmar::test {

template <typename T> T* namedWidget(const QObject* window, const QString& name) {
    T* widget = window->findChild<T*>(name);
    if (!widget)
        qFatal("missing widget %s", qPrintable(name));
    return widget;
}

} // namespace velmar::test
