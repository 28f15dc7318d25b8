#pragma once

// The settings table: named variables declared by "Ini/ListeOptions.dat" and
// valued by "Ini/Init.dat". Rows are numbered from 1; at most 81 of them. Every
// problem is reported through the dialogs, then the operation gives up.

#include <QString>

#include <vector>

namespace velmar {

class Settings {
public:
    static constexpr int kMaxVariables = 81;

    void ClearSettings(int list);
    void LoadOptionNames(const QString& path, int list, bool clearFirst);
    bool DeclareVariable(const QString& name, const QString& type, const QString& value, int list);
    bool FindVariable(const QString& name, int list) const;
    void LoadValues(const QString& path, int list);
    void SaveValues(const QString& path, int list) const;

    QString GetValue(const QString& name) const;
    void SetValue(const QString& name, const QString& value);

    QString GetVariableList(int row) const;
    QString GetVariableType(int row) const;
    QString GetVariableName(int row) const;

    int count() const { return static_cast<int>(m_rows.size()); }
    // Group titles read by the last LoadOptionNames, in file order.
    const std::vector<QString>& groups() const { return m_groups; }

private:
    struct Row {
        QString name;
        QString type;
        QString value;
        QString list;
        QString label;
        int group = 0;
    };
    enum class LineResult { Declared, Stop };
    LineResult declareOptionLine(const QString& line, int list);
    const Row* rowAt(int row) const;
    Row* findRow(const QString& name);
    const Row* findRow(const QString& name) const;

    std::vector<Row> m_rows;
    std::vector<QString> m_groups;
};

// The geometry options saved at shutdown and applied at start-up.
namespace Option {
inline const QString Hauteur = QStringLiteral("LOGICIEL_HAUTEUR");
inline const QString Largeur = QStringLiteral("LOGICIEL_LARGEUR");
inline const QString PosGauche = QStringLiteral("LOGICIEL_POS_GAUCHE");
inline const QString PosHaut = QStringLiteral("LOGICIEL_POS_HAUT");
} // namespace Option

} // namespace velmar
