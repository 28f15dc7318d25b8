#pragma once

// The version record of a Windows program or library, read by our own PE
// reader (see pe_resources.h): the translation of "\VarFileInfo\Translation"
// picks the string table, and eight values are read from it. Values are
// brought to the Windows-1252 code page the catalogue works in (characters it
// cannot hold become '?'), cut to 255 characters and at their first NUL.
// 16-bit NE files (old DLLs, VBX) are not read and give an empty record.

#include <QString>

namespace velmar {

struct InfosVersion {
    QString CompanyName;
    QString FileDescription;
    QString FileVersion;
    QString InternalName;
    QString LegalCopyright;
    QString OriginalFileName;
    QString ProductName;
    QString ProductVersion;
};

InfosVersion LitVersionFichier(const QString& path);

// The same over a resource already read, for callers holding the bytes.
InfosVersion versionFromResource(const QByteArray& resource);

} // namespace velmar
