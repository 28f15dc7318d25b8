#pragma once

// The SQL text of a search: the condition built from the filter kind and its
// value (or the five boxes of the multi-criteria panel), the search query, and
// the extension clause of the file list.

#include <QString>
#include <QStringList>
#include <array>

namespace velmar {

// Kinds in the order of the filter chooser.
enum class FilterKind : int {
    None = 0,
    FileName = 1,
    DirectoryName = 2,
    FileOrDirectoryName = 3,
    Extension = 4,
    MinimumSize = 5,
    MaximumSize = 6,
    Crc = 7,
    MultiCriteria = 8,
};

// The chooser's entries, kind 0 first.
QStringList filterKindLabels();

// The kind each box of the multi-criteria panel stands for, box 0 to 4.
constexpr std::array<FilterKind, 5> kCriteriaKinds = {FilterKind::FileName, FilterKind::DirectoryName,
                                                      FilterKind::Extension, FilterKind::MinimumSize,
                                                      FilterKind::MaximumSize};

// "" or " WHERE ..." for one kind and its value, typed as is (only double
// quotes are doubled: pattern characters keep their meaning).
QString BuildSearchCondition(FilterKind kind, const QString& value);
// The same for the multi-criteria panel: every non-empty box in order.
QString BuildSearchCondition(const std::array<QString, 5>& boxes);

// The search query over a condition, in support, directory, extension, name order.
QString searchQuery(const QString& condition);

// The file list's clause for an extension filter such as "JPG;BMP", "" for none.
QString extensionFilterClause(const QString& filter);

// The executables of the file list's menu.
inline const QString kExecutableFilter = QStringLiteral("EXE;COM;BAT;PIF");

// "Soit 1,5 Mo" for a size box holding a whole number, "" otherwise.
QString translatedSize(const QString& boxText);

} // namespace velmar
