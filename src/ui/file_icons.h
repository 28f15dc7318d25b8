#pragma once

// The icon of a file type, found from the name alone: the catalogued file is
// usually on a medium that is no longer there, so it is never opened.

#include <QIcon>
#include <QString>

class QLabel;

namespace velmar::ui {

enum class IconSize { Large = 0, Small = 1 };

// The icon theme that stands in for the desktop's: a bare desktop may name no
// theme, or one without file types. The package is installed with the program.
inline constexpr char kFallbackIconTheme[] = "Adwaita";

// Makes that theme the fallback of the desktop's own, and the theme itself
// when the desktop names none. Called once, after the application exists.
void useFallbackIconTheme();

// The theme's icon for the name's type, the generic file icon for a type the
// desktop does not know; a null icon only when the theme has neither.
QIcon IconeSysteme(const QString& fileName);

// The same icon, looked up once per extension (in any case): the lists show
// thousands of files of a few types. A name without extension is looked up
// on its own.
QIcon typeIcon(const QString& fileName);

// Shows that icon in the picture box, or leaves the box empty.
void DessineIconeFichier(const QString& fileName, IconSize size, QLabel* pictureBox);

} // namespace velmar::ui
