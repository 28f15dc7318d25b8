#pragma once

#include "app/dialogs.h"

class QWidget;

namespace velmar::ui {

// Message and input boxes as Qt dialogs, each titled with the application's title.
class QtDialogs final : public Dialogs {
public:
    QtDialogs() { installDialogs(this); }
    ~QtDialogs() override { installDialogs(nullptr); }

    int message(const QString& text, int style) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& proposal) override;
    QString saveFileName(const QString& title, const QString& proposal, const QString& filters) override;
};

} // namespace velmar::ui
