#pragma once

// The file card (ssFicheFichier): what the catalogue knows of the selected
// file, its type's icon, its editable comment and the buttons acting on it.

#include "store/selected_file.h"

#include <QObject>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace velmar::ui {

class FileCardPanel final : public QObject {
    Q_OBJECT
public:
    explicit FileCardPanel(QWidget* host);

    QFrame* panel() const { return m_panel; }
    void show(const FileCardData& card);
    QString comment() const;
    void commentStored();

signals:
    void openRequested();
    void deleteRequested();
    void copyRequested();
    void storeCommentRequested();

private:
    QLabel* addField(const QString& name, const QString& caption, int row);

    QFrame* m_panel = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_path = nullptr;
    QLabel* m_type = nullptr;
    QLabel* m_modified = nullptr;
    QLabel* m_size = nullptr;
    QLabel* m_support = nullptr;
    QLabel* m_crc = nullptr;
    QLabel* m_icon = nullptr;
    QPlainTextEdit* m_comment = nullptr;
    QPushButton* m_store = nullptr;
};

} // namespace velmar::ui
