#pragma once

// The busy pointer while a long load or copy runs; it goes back when the scope
// ends, however the scope is left.

#include <QCursor>
#include <QGuiApplication>

namespace velmar::ui {

class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace velmar::ui
