#pragma once

// The encoding a web page declares for itself, from the bytes before its title:
// a UTF-8 byte order mark, or a charset in a <meta> tag, either
// `<meta charset="utf-8">` or `<meta http-equiv="Content-Type" content="text/html;
// charset=utf-8">`. Labels of Windows-1252 (which also stands for ISO-8859-1 and
// ASCII in browsers) give Windows1252; a page that declares nothing, or another
// encoding, gives Unknown, and its bytes decide (app/inner_text.h).

#include "app/inner_text.h"

#include <QByteArray>

namespace velmar {

DeclaredEncoding pageEncoding(const QByteArray& head);

} // namespace velmar
