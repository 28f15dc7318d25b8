#pragma once

// Asks the user to insert the medium of a support and waits for it: the
// mounted volumes are looked at every second from a timer, so the windows go
// on painting. Accepted as soon as the medium is mounted, rejected by
// "Annuler".

#include "store/support_medium.h"

#include <QDialog>
#include <QTimer>

namespace velmar::ui {

class SupportWaitDialog final : public QDialog {
    Q_OBJECT
public:
    SupportWaitDialog(const SupportMedium& medium, const QString& typeLabel, QWidget* parent);

private:
    void lookForMedium();

    SupportMedium m_medium;
    QTimer m_timer;
};

} // namespace velmar::ui
