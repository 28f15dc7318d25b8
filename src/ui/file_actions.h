#pragma once

// What the user does with the selected file of the browse view: open it, show
// it in the file manager, copy it, store its comment, delete its record. A
// catalogued file is first looked for on the volumes mounted now; when none
// has it, the user is asked to insert its support's medium, and the action
// goes on once that medium is mounted.

#include "store/registry.h"

#include <QObject>

namespace velmar::ui {

class BrowseView;
class FileCardPanel;

class FileActions final : public QObject {
    Q_OBJECT
public:
    FileActions(CollectionsRegistry& registry, BrowseView& browse, FileCardPanel& card, QObject* parent);

    void showCard();
    void open();
    void locate();
    void copy();
    void storeComment();
    void remove();

private:
    // The file's native path on a mounted volume, or on its support's medium
    // once the user has inserted it; "" when the user cancels the wait or
    // (after telling the user `notFound`) when the medium lacks the file.
    QString findSelected(const QString& notFound);
    QString findOnInsertedMedium(int support, const QString& relativePath, const QString& notFound);

    CollectionsRegistry& m_registry;
    BrowseView& m_browse;
    FileCardPanel& m_card;
};

} // namespace velmar::ui
