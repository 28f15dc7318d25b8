#include "app/dialogs.h"

#include "version.h"

namespace velmar {

namespace {

// Used before the program installs its own: never blocks, never says yes.
class SilentDialogs final : public Dialogs {
public:
    int message(const QString&, int style) override {
        return style == MessageStyle::Question ? MessageAnswer::No : MessageAnswer::Ok;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
};

SilentDialogs silentDialogs;
Dialogs* installed = &silentDialogs;

} // namespace

QString applicationTitle() {
    return QStringLiteral("Velmar +");
}

Dialogs& dialogs() {
    return *installed;
}

void installDialogs(Dialogs* implementation) {
    installed = implementation ? implementation : &silentDialogs;
}

} // namespace velmar
