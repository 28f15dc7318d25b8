#pragma once

// Messages of the core on standard error; questions answered by --yes (Yes) or
// refused (No), input boxes cancelled: the command line never waits on a user.

#include "app/dialogs.h"

#include <QTextStream>

namespace velmar::cli {

class CliDialogs final : public Dialogs {
public:
    CliDialogs(QTextStream& err, bool assumeYes) : m_err(err), m_assumeYes(assumeYes) {
        installDialogs(this);
    }
    ~CliDialogs() override { installDialogs(nullptr); }

    int message(const QString& text, int style) override {
        m_err << text << '\n';
        m_err.flush();
        if (style != MessageStyle::Question)
            return MessageAnswer::Ok;
        return m_assumeYes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    QString inputBox(const QString&, const QString&, const QString& proposal) override { return proposal; }
    // The commands take their files as arguments.
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }

private:
    QTextStream& m_err;
    bool m_assumeYes;
};

} // namespace velmar::cli
