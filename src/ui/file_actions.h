#pragma once

// What the user does with the selected file of the browse view: open it, show
// it in the file manager, copy it, store its comment, delete its record. A
// catalogued file is first looked for on the volumes mounted now.

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
    // The file's native path on a mounted volume, "" (after telling the user
    // `notFound`) when no volume has it.
    QString findSelected(const QString& notFound);

    CollectionsRegistry& m_registry;
    BrowseView& m_browse;
    FileCardPanel& m_card;
};

} // namespace velmar::ui
