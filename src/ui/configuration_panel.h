#pragma once

// The configuration panel: the two exclusion lists and the analysed types.

#include <QFrame>

class QListWidget;
class QListWidgetItem;
class QPushButton;
class QVBoxLayout;

namespace velmar::ui {

class ConfigurationPanel final : public QFrame {
    Q_OBJECT
public:
    explicit ConfigurationPanel(QWidget* parent = nullptr);

    // Reads the three files again (after an edit in the user's editor).
    void refresh();

signals:
    void closeRequested();

private:
    void TypesAnalyses_Affiche();
    void TypesAnalyses_Modifie();
    void editList(const QString& file);
    // A caption, its list taking `stretch` shares of the height and, when
    // given, the button that edits the list.
    void addList(QVBoxLayout* layout, const QString& caption, QListWidget* list, QPushButton* edit,
                 int stretch);

    QListWidget* m_ignoredExts;
    QListWidget* m_analysed;
    QListWidget* m_ignoredDirs;
    bool m_filling = false;
};

} // namespace velmar::ui
