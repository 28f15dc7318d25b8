#include "app/settings.h"

#include "app/dialogs.h"
#include "app/files.h"

#include <QDir>
#include <QStringList>

#include <algorithm>

namespace velmar {

namespace {

const QStringList kTypes = {QStringLiteral("TXT"), QStringLiteral("O/N"), QStringLiteral("NUM"),
                            QStringLiteral("FONCTION")};

void critical(const QString& text) {
    dialogs().message(text, MessageStyle::Critical);
}

// Text between the first '[' and the first ']', false when either is missing
// or they come in the wrong order.
bool bracketed(const QString& text, QString& inside, qsizetype& closing) {
    const qsizetype open = text.indexOf(QLatin1Char('['));
    closing = text.indexOf(QLatin1Char(']'));
    if (open < 0 || closing < 0 || closing < open)
        return false;
    inside = text.mid(open + 1, closing - open - 1);
    return true;
}

} // namespace

void Settings::ClearSettings(int list) {
    if (list == 0) {
        m_rows.clear();
        return;
    }
    const QString key = QString::number(list);
    std::erase_if(m_rows, [&](const Row& r) { return r.list == key; });
}

void Settings::LoadOptionNames(const QString& path, int list, bool clearFirst) {
    if (clearFirst)
        ClearSettings(0);
    m_groups.clear();
    QStringList lines;
    if (!readTextLines(path, lines)) {
        critical(QStringLiteral("Impossible de lire le fichier ") + QDir::toNativeSeparators(path) +
                 QStringLiteral("."));
        return;
    }
    for (const QString& line : lines) {
        const bool optionLine = line.startsWith(QLatin1Char('x')) || line.startsWith(QLatin1Char('-'));
        if (!optionLine) {
            m_groups.push_back(line);
            continue;
        }
        if (declareOptionLine(line, list) == LineResult::Stop)
            return;
    }
}

Settings::LineResult Settings::declareOptionLine(const QString& line, int list) {
    const QString prefix = QStringLiteral("L'option ") + line;
    QString type;
    qsizetype closing = 0;
    if (!bracketed(line, type, closing)) {
        critical(prefix + QStringLiteral(" n'a pas de type."));
        return LineResult::Stop;
    }
    if (!kTypes.contains(type)) {
        critical(prefix + QStringLiteral(" utilise un type non géré"));
        return LineResult::Stop;
    }
    const QString label = line.mid(1, line.indexOf(QLatin1Char('[')) - 1);
    QString name;
    qsizetype unused = 0;
    if (!bracketed(line.mid(closing + 1), name, unused)) {
        critical(prefix + QStringLiteral(" n'a pas de variable."));
        return LineResult::Stop;
    }
    if (line.startsWith(QLatin1Char('-')) && m_groups.empty()) {
        critical(prefix + QStringLiteral(" n'a pas de parent."));
        return LineResult::Stop;
    }
    if (!DeclareVariable(name, type, QString(), list))
        return LineResult::Stop;
    m_rows.back().label = label;
    m_rows.back().group = line.startsWith(QLatin1Char('-')) ? static_cast<int>(m_groups.size()) : 0;
    return LineResult::Declared;
}

bool Settings::DeclareVariable(const QString& name, const QString& type, const QString& value, int list) {
    if (count() >= kMaxVariables) {
        critical(QStringLiteral("Il y a trop de variables définies"));
        return false;
    }
    if (FindVariable(name, list)) {
        critical(QStringLiteral("Variable utilisée deux fois : ") + name);
        return false;
    }
    m_rows.push_back({name, type, value, QString::number(list), QString(), 0});
    return true;
}

bool Settings::FindVariable(const QString& name, int list) const {
    const Row* row = findRow(name);
    if (!row)
        return false;
    if (list > 0 && row->list != QString::number(list))
        dialogs().message(QStringLiteral("La variable ") + name +
                              QStringLiteral(" existe dans une autre liste."),
                          MessageStyle::Plain);
    return true;
}

void Settings::LoadValues(const QString& path, int list) {
    QStringList lines;
    if (!readTextLines(path, lines)) {
        critical(QStringLiteral("Impossible de lire le fichier ") + QDir::toNativeSeparators(path) +
                 QStringLiteral("."));
        return;
    }
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        const qsizetype equal = line.indexOf(QLatin1Char('='));
        if (equal < 0) {
            critical(QStringLiteral("Une variable n'a pas été affectée dans le fichier ") +
                     QDir::toNativeSeparators(path) + QStringLiteral("."));
            return;
        }
        const QString name = line.left(equal);
        if (!FindVariable(name, list)) {
            critical(QStringLiteral("Variable inconnue : ") + name);
            return;
        }
        SetValue(name, line.mid(equal + 1));
    }
}

void Settings::SaveValues(const QString& path, int list) const {
    QStringList lines;
    const QString key = QString::number(list);
    for (const Row& row : m_rows)
        if (row.type != QLatin1String("FONCTION") && (list == 0 || row.list == key))
            lines << row.name + QLatin1Char('=') + row.value;
    QString error;
    if (!writeTextLines(path, lines, &error))
        critical(error);
}

QString Settings::GetValue(const QString& name) const {
    if (const Row* row = findRow(name))
        return row->value;
    critical(QStringLiteral("Variable ") + name + QStringLiteral(" non trouvée."));
    return {};
}

void Settings::SetValue(const QString& name, const QString& value) {
    if (Row* row = findRow(name)) {
        row->value = value;
        return;
    }
    critical(QStringLiteral("Variable ") + name + QStringLiteral(" non trouvée."));
}

const Settings::Row* Settings::rowAt(int row) const {
    return (row >= 1 && row <= count()) ? &m_rows[static_cast<std::size_t>(row - 1)] : nullptr;
}

QString Settings::GetVariableList(int row) const {
    if (const Row* r = rowAt(row))
        return r->list;
    critical(QStringLiteral("Variable ") + QString::number(row) + QStringLiteral(" non trouvée."));
    return QStringLiteral("0");
}

QString Settings::GetVariableType(int row) const {
    if (const Row* r = rowAt(row))
        return r->type;
    critical(QStringLiteral("Variable ") + QString::number(row) + QStringLiteral(" non trouvée."));
    return {};
}

QString Settings::GetVariableName(int row) const {
    if (const Row* r = rowAt(row))
        return r->name;
    critical(QStringLiteral("Variable n°") + QString::number(row) + QStringLiteral(" non trouvée."));
    return {};
}

Settings::Row* Settings::findRow(const QString& name) {
    auto it = std::find_if(m_rows.begin(), m_rows.end(), [&](const Row& r) { return r.name == name; });
    return it == m_rows.end() ? nullptr : &*it;
}

const Settings::Row* Settings::findRow(const QString& name) const {
    return const_cast<Settings*>(this)->findRow(name);
}

} // namespace velmar
