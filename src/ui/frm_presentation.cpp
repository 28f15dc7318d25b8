#include "ui/frm_presentation.h"

#include "app/background.h"
#include "app/dialogs.h"
#include "app/geometry.h"
#include "ui/frm_principal.h"
#include "ui/twips.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace velmar::ui {

namespace {
constexpr int kSplashDelayMs = 400;
}

frmPresentation::frmPresentation(const DataLayout& paths, const QStringList& arguments, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_version(new QLabel(this)),
      m_status(new QLabel(this)), m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("frmPresentation"));
    setWindowTitle(applicationTitle());
    setFixedSize(420, 220);
    setStyleSheet(QStringLiteral("#frmPresentation { background: qlineargradient(x1:0, y1:0, x2:1, y2:1,"
                                 " stop:0 #1d3b72, stop:1 #4f7cc4); }"
                                 "QLabel { color: white; }"));
    auto* title = new QLabel(applicationTitle(), this);
    title->setStyleSheet(QStringLiteral("font-size: 30pt; font-weight: bold;"));
    auto* subtitle = new QLabel(QStringLiteral("Catalogue de vos supports"), this);
    m_version->setObjectName(QStringLiteral("Label1"));
    m_status->setObjectName(QStringLiteral("Label2"));
    m_timer->setObjectName(QStringLiteral("Timer1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 18);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addStretch();
    layout->addWidget(m_version);
    layout->addWidget(m_status);

    m_version->setText(versionLine());
    m_outcome = runStartupChecks(session(), paths, arguments, [this](const QString& s) { showStatus(s); });
    if (m_outcome != StartupOutcome::Continue)
        return;
    m_timer->setSingleShot(true);
    m_timer->setInterval(kSplashDelayMs);
    connect(m_timer, &QTimer::timeout, this, &frmPresentation::stageTwo);
    m_timer->start();
}

frmPresentation::~frmPresentation() = default;

void frmPresentation::showStatus(const QString& text) {
    m_status->setText(text);
    m_status->repaint();
}

void frmPresentation::stageTwo() {
    m_timer->stop();
    session().backgroundPicture.clear();
    m_main = new frmPrincipal([this](const QString& s) { showStatus(s); });
    AffecteTailleEcran();

    const QString folder = session().paths.backgroundsDir;
    if (countBackgroundPictures(folder) > 0) {
        const double random = QRandomGenerator::global()->generateDouble();
        showStatus(QStringLiteral("Fond d'écran"));
        session().backgroundPicture = pickBackgroundPicture(folder, random);
        m_main->setBackgroundPicture(session().backgroundPicture);
    }
    showStatus(QStringLiteral("Icônes des supports"));
    m_main->loadSupportTypeIcons();
    m_main->show();
    // The splash has done its work once the main window stands.
    hide();
    emit mainWindowShown();
}

void frmPresentation::AffecteTailleEcran() {
    Session& s = session();
    s.applyingGeometry = true;
    const QRect screen = m_main->screen()->geometry();
    const TwipRect r = velmar::AffecteTailleEcran(s.settings, toTwips(screen.width(), m_main),
                                                  toTwips(screen.height(), m_main));
    m_main->move(toPixels(r.left, m_main), toPixels(r.top, m_main));
    m_main->resize(toPixels(r.width, m_main), toPixels(r.height, m_main));
    s.applyingGeometry = false;
}

} // namespace velmar::ui
