#pragma once

// The column beside the lists that holds the panels of the moment (the file
// card, the multi-criteria search, the collections, the tools...). It shows
// itself while one of its panels is shown and hides itself with the last one,
// so that the lists take the whole width when no panel is open.

#include <QList>
#include <QWidget>

namespace velmar::ui {

class SideColumn final : public QWidget {
public:
    explicit SideColumn(QWidget* parent = nullptr);

    // Panels stack from the top in the order they are added; those holding
    // a list take the column's height, the others keep their own.
    enum class Height { Natural, Fill };
    void addPanel(QWidget* panel, Height height);

    // Room for a panel's captions and a table of six columns, in the
    // user's font; the splitter gives it this width when the column appears.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followPanels();

    QList<QWidget*> m_panels;
};

} // namespace velmar::ui
