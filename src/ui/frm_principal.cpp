#include "ui/frm_principal.h"

#include "app/geometry.h"
#include "app/session.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPainter>
#include <QResizeEvent>

namespace velmar::ui {

// The window's central area: it draws the background picture, scaled to cover.
class frmPrincipal::Backdrop final : public QWidget {
public:
    explicit Backdrop(frmPrincipal* owner) : QWidget(owner), m_owner(owner) {
        setObjectName(QStringLiteral("Fond"));
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (m_owner->m_background.isNull())
            return;
        QPainter p(this);
        const QPixmap scaled =
            m_owner->m_background.scaled(size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        p.drawPixmap((width() - scaled.width()) / 2, (height() - scaled.height()) / 2, scaled);
    }

private:
    frmPrincipal* m_owner;
};

frmPrincipal::frmPrincipal(const StatusCallback& status, QWidget* parent)
    : QMainWindow(parent), m_backdrop(new Backdrop(this)) {
    setObjectName(QStringLiteral("frmPrincipal"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(mainWindowTitle());
    setCentralWidget(m_backdrop);
    hideAllPanels();
    status(QStringLiteral("Mémorise les extensions analysées"));
    status(QStringLiteral("Lecture des collections"));
}

frmPrincipal::~frmPrincipal() = default;

void frmPrincipal::hideAllPanels() {
    for (QWidget* child : findChildren<QWidget*>())
        if (child->objectName().startsWith(QLatin1String("ss")))
            child->hide();
}

void frmPrincipal::setBackgroundPicture(const QString& path) {
    m_background.load(path);
    m_backdrop->update();
}

void frmPrincipal::loadSupportTypeIcons() {
    const DataLayout& p = session().paths;
    m_types = supportTypesWithIcons(readSupportTypes(p.supportTypesFile), p.supportTypesDir);
    m_typeIcons.clear();
    for (const SupportType& type : m_types)
        m_typeIcons.insert(QStringLiteral("I") + QString::number(type.number),
                           QIcon(p.supportTypesDir + type.iconFile));
}

void frmPrincipal::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Session& s = session();
    if (isMinimized() || s.applyingGeometry)
        return;
    s.applyingGeometry = true;
    const TwipRect current{0, 0, toTwips(width(), this), toTwips(height(), this)};
    const TwipRect clamped = clampToMinimumSize(current);
    if (clamped.width != current.width || clamped.height != current.height)
        resize(toPixels(clamped.width, this), toPixels(clamped.height, this));
    s.applyingGeometry = false;
}

void frmPrincipal::closeEvent(QCloseEvent* event) {
    Session& s = session();
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    // The same measures move() and resize() applied at start-up.
    velmar::saveGeometry(
        s.settings, {toTwips(x(), this), toTwips(y(), this), toTwips(width(), this), toTwips(height(), this)},
        normal);
    s.settings.SaveValues(s.paths.optionValuesFile, 0);
    event->accept();
    QCoreApplication::quit();
}

} // namespace velmar::ui
