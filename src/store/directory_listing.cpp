#include "store/directory_listing.h"

#include "app/phrases.h"
#include "store/catalogue.h"
#include "store/search_condition.h"

namespace velmar {

namespace {

// The summary names ten extensions at most, and stops growing once its list
// passes 30 characters; a file without extension is not named.
constexpr int kMaxNamedExtensions = 10;
constexpr int kMaxExtensionListLength = 30;

class ExtensionCounter {
public:
    explicit ExtensionCounter(DirectoryListing& listing, bool offerMenu)
        : m_listing(listing), m_offerMenu(offerMenu) {}

    void see(const QString& extension) {
        if (extension.isEmpty() || extension.compare(m_previous, Qt::CaseInsensitive) == 0)
            return;
        m_previous = extension;
        ++m_counted;
        if (m_counted <= kMaxNamedExtensions && m_listText.size() <= kMaxExtensionListLength) {
            m_listText += (m_listText.isEmpty() ? QString() : QStringLiteral(", ")) + extension;
            m_listing.shownExtensions << extension;
            if (m_offerMenu)
                m_listing.menuExtensions << extension.toUpper();
        } else {
            m_listing.moreExtensions = true;
        }
    }
    QString text() const {
        return m_listText + (m_listing.moreExtensions ? QStringLiteral(", ...") : QString());
    }

private:
    DirectoryListing& m_listing;
    bool m_offerMenu;
    QString m_previous;
    QString m_listText;
    int m_counted = 0;
};

FileListItem itemOf(const db::Recordset& rs) {
    FileListItem item;
    item.file = rs.field(QStringLiteral("NumFichier")).toNumber();
    item.key = QStringLiteral("FIC-") + QString::number(item.file);
    item.name = rs.field(QStringLiteral("Fichier")).toText();
    item.extension = rs.field(QStringLiteral("Extension")).toText();
    item.infos = infosOnOneLine(rs.field(QStringLiteral("Infos")).toText());
    const qint64 bytes = rs.field(QStringLiteral("Taille")).toNumber();
    item.size = bytes == 0 ? QStringLiteral("vide") : sizePhrase(bytes, false);
    item.modified = rs.field(QStringLiteral("DerniereModif")).toText();
    item.bold = item.extension == QLatin1String("EXE");
    return item;
}

} // namespace

QString infosOnOneLine(QString infos) {
    infos.replace(QLatin1String("\r\n"), QLatin1String(" "));
    infos.replace(QLatin1Char('\r'), QLatin1Char(' '));
    infos.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return infos;
}

DirectoryListing listDirectory(db::Database& db, int support, qint64 directory, const QString& filter) {
    DirectoryListing listing;
    const QString clause = extensionFilterClause(filter);
    ExtensionCounter extensions(listing, clause.isEmpty());
    for (db::Recordset rs = ListDirectoryFiles(db, support, directory, clause); !rs.eof(); rs.moveNext()) {
        FileListItem item = itemOf(rs);
        listing.totalBytes += rs.field(QStringLiteral("Taille")).toNumber();
        extensions.see(item.extension);
        listing.items.append(std::move(item));
    }
    const QString named = extensions.text();
    listing.summary = filesPhrase(listing.items.size()) + QStringLiteral(" - ") +
                      sizePhrase(listing.totalBytes, false) + QLatin1Char(' ') +
                      (named.isEmpty() ? QString() : QLatin1Char('(') + named + QLatin1Char(')'));
    return listing;
}

} // namespace velmar
