#include "ui/file_actions.h"

#include "app/dialogs.h"
#include "app/file_location.h"
#include "app/launch.h"
#include "store/selected_file.h"
#include "ui/browse_view.h"
#include "ui/busy_pointer.h"
#include "ui/file_card_panel.h"

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
    if (found.isEmpty())
        dialogs().message(notFound, MessageStyle::Exclamation);
    return found;
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
