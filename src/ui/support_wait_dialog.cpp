#include "ui/support_wait_dialog.h"

#include "app/dialogs.h"
#include "ui/named_widgets.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

namespace velmar::ui {

namespace {
constexpr std::chrono::seconds kLookInterval{1};
}

SupportWaitDialog::SupportWaitDialog(const SupportMedium& medium, const QString& typeLabel, QWidget* parent)
    : QDialog(parent), m_medium(medium) {
    setObjectName(QStringLiteral("frmAttenteSupport"));
    setWindowTitle(applicationTitle());
    auto* layout = new QVBoxLayout(this);
    auto* request = new QHBoxLayout;
    auto* icon = namedLabel(QStringLiteral("imgSupportAttendu"), QString(), this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_DriveCDIcon).pixmap(48));
    request->addWidget(icon, 0, Qt::AlignTop);
    request->addWidget(namedLabel(QStringLiteral("lblSupportAttendu"),
                                  QStringLiteral("Le fichier n'est sur aucun des lecteurs disponibles.\n") +
                                      insertionRequest(medium, typeLabel),
                                  this),
                       1);
    layout->addLayout(request);
    layout->addWidget(namedLabel(QStringLiteral("lblAttente"),
                                 QStringLiteral("En attente du support… L'action demandée se fera dès "
                                                "qu'il sera détecté."),
                                 this));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(namedButton(QStringLiteral("cmdAnnuler"), QStringLiteral("Annuler"), this),
                       QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(&m_timer, &QTimer::timeout, this, &SupportWaitDialog::lookForMedium);
    m_timer.start(kLookInterval);
}

void SupportWaitDialog::lookForMedium() {
    if (supportMediumMounted(platform().volumes(), m_medium))
        accept();
}

} // namespace velmar::ui
