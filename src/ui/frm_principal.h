#pragma once

// The main window: one window made of panels, shown one or two at a time.

#include "app/startup.h"
#include "app/support_types.h"
#include "store/registry.h"

#include <QIcon>
#include <QMainWindow>
#include <QMap>
#include <QPixmap>

class QPushButton;

class QFrame;

namespace velmar::ui {

class BrowseView;
class CollectionPanels;
class ConfigurationPanel;
class DuplicatesPanel;
class FileActions;
class FileCardPanel;
class SearchPanels;
class StatisticsPanel;

class frmPrincipal final : public QMainWindow {
    Q_OBJECT
public:
    explicit frmPrincipal(const StatusCallback& status, QWidget* parent = nullptr);
    ~frmPrincipal() override;

    void setBackgroundPicture(const QString& path);
    bool hasBackgroundPicture() const { return !m_background.isNull(); }

    // Loads the support-type icons under the keys "I" + type number.
    void loadSupportTypeIcons();
    const QMap<QString, QIcon>& supportTypeIcons() const { return m_typeIcons; }
    const QList<SupportType>& supportTypes() const { return m_types; }

    // Every panel is a child whose object name starts with "ss"; all of them
    // hidden but the command bar and the collection chooser.
    void hideAllPanels();

    CollectionsRegistry& registry() { return m_registry; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class Backdrop;
    QFrame* buildCommandBar();
    QFrame* buildTools();
    QWidget* buildSideColumn();
    void connectBrowsing();
    void showOnly(QWidget* panel);
    void explore();
    // The exploration window, on the support to update when one is given (not 0).
    void updateSupport(int support);
    void openExplorationWindow(int supportToUpdate);
    void purgeEmptyDirectories();
    void collectionChanged();

    CollectionsRegistry m_registry;
    CollectionPanels* m_collections = nullptr;
    ConfigurationPanel* m_configuration = nullptr;
    BrowseView* m_browse = nullptr;
    SearchPanels* m_search = nullptr;
    DuplicatesPanel* m_duplicates = nullptr;
    StatisticsPanel* m_statistics = nullptr;
    FileCardPanel* m_card = nullptr;
    FileActions* m_actions = nullptr;
    QFrame* m_tools = nullptr;
    QPushButton* m_exploreButton = nullptr;
    Backdrop* m_backdrop;
    QPixmap m_background;
    QList<SupportType> m_types;
    QMap<QString, QIcon> m_typeIcons;
};

} // namespace velmar::ui
