#include "ui/file_actions.h"

#include "app/dialogs.h"
#include "app/file_location.h"
#include "app/launch.h"
#include "app/session.h"
#include "app/support_types.h"
#include "store/selected_file.h"
#include "store/support_medium.h"
#include "ui/browse_view.h"
#include "ui/busy_pointer.h"
#include "ui/file_card_panel.h"
#include "ui/support_wait_dialog.h"

#include <QFileInfo>
#include <QFrame>

namespace velmar::ui {

namespace {
const QString kNotOnDrives = QStringLiteral("Le fichier n'a pas été trouvé sur les lecteurs disponibles.");
}

FileActions::FileActions(CollectionsRegistry& registry, BrowseView& browse, FileCardPanel& card,
                         QObject* parent)
    : QObject(parent), m_registry(registry), m_browse(browse), m_card(card) {}

void FileActions::showCard() {
    SelectedFile file;
    FileCardData data;
    if (m_registry.isOpen() && m_browse.selectedFile(file) && readFileCard(m_registry.database(), file, data))
        m_card.show(data);
}

QString FileActions::findSelected(const QString& notFound) {
    SelectedFile file;
    QString relative;
    if (!m_registry.isOpen() || !m_browse.selectedFile(file) ||
        !FichierSelectionne_RenvoieInfos(m_registry.database(), file, relative))
        return QString();
    const QString found = findOnPresentVolumes(relative);
    return found.isEmpty() ? findOnInsertedMedium(file.support, relative, notFound) : found;
}

QString FileActions::findOnInsertedMedium(int support, const QString& relativePath, const QString& notFound) {
    SupportMedium medium;
    if (readSupportMedium(m_registry.database(), support, medium)) {
        const QList<SupportType> types = readSupportTypes(session().paths.supportTypesFile);
        SupportWaitDialog wait(medium, supportTypeLabel(types, medium.type),
                               qobject_cast<QWidget*>(parent()));
        if (wait.exec() != QDialog::Accepted)
            return QString();
        const QString found = findOnSupportMedium(platform().volumes(), medium, relativePath);
        if (!found.isEmpty())
            return found;
    }
    dialogs().message(notFound, MessageStyle::Exclamation);
    return QString();
}

void FileActions::open() {
    const QString path = findSelected(kNotOnDrives);
    if (path.isEmpty())
        return;
    LaunchRequest request;
    request.path = path;
    LanceFichier(request);
}

void FileActions::locate() {
    const QString path = findSelected(kNotOnDrives);
    if (path.isEmpty())
        return;
    LaunchRequest request;
    request.path = QFileInfo(path).absolutePath();
    request.verb = LaunchVerb::Explore;
    LanceFichier(request);
}

void FileActions::copy() {
    const QString path =
        findSelected(QStringLiteral("Le fichier n'a pas été trouvé sur les périphériques disponibles."));
    if (path.isEmpty())
        return;
    const QString destination = dialogs().inputBox(
        QStringLiteral("Veuillez entrer le chemin de destination pour copier le fichier ") +
            QFileInfo(path).fileName() +
            QStringLiteral(".\nSi le répertoire n'existe pas, il sera automatiquement créé."),
        QStringLiteral("Copie de fichier"), QString());
    if (destination.isEmpty())
        return;
    const BusyPointer busy;
    copyIntoFolder(path, destination);
}

void FileActions::storeComment() {
    SelectedFile file;
    QString stored;
    if (!m_registry.isOpen() || !m_browse.selectedFile(file) ||
        !FichierSelectionne_ModifieCommentaire(m_registry.database(), file, m_card.comment(), stored))
        return;
    m_browse.setSelectedFileInfos(stored);
    m_card.commentStored();
}

void FileActions::remove() {
    SelectedFile file;
    if (!m_registry.isOpen() || !m_browse.selectedFile(file))
        return;
    if (dialogs().message(QStringLiteral("Supprimer ce fichier de la base de données ?"),
                          MessageStyle::Question) != MessageAnswer::Yes)
        return;
    if (!FichierSelectionne_Supprime(m_registry.database(), file))
        return;
    m_card.panel()->hide();
    m_browse.removeSelectedFile();
}

} // namespace velmar::ui
