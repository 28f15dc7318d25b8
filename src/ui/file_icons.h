#pragma once

// The icon of a file type, found from the name alone: the catalogued file is
// usually on a medium that is no longer there, so it is never opened.

#include <QIcon>
#include <QString>

class QLabel;

namespace velmar::ui {

enum class IconSize { Large = 0, Small = 1 };

// The theme's icon for the name's type, the generic file icon for a type the
// desktop does not know; a null icon only when the theme has neither.
QIcon IconeSysteme(const QString& fileName);

// Shows that icon in the picture box, or leaves the box empty.
void DessineIconeFichier(const QString& fileName, IconSize size, QLabel* pictureBox);

} // namespace velmar::ui
