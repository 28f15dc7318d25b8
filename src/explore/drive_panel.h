#pragma once

// What the exploration window shows of a drive before exploring it.

#include "app/support_types.h"
#include "platform/platform.h"

namespace velmar {

// "Lecteur /media/cd", total and free space, volume name: one per line.
QString drivePanelText(const Volume& volume);

// The keyword of the support type a drive suggests: removable AMOVIBLE, fixed
// FIXE, remote RESEAU, CD-ROM CD below 900 MiB of medium and DVD from there on,
// RAM disk VIRTUEL, anything else RESEAU.
QString driveKeyword(const Volume& volume);

// The type number of the first support type with that keyword, 0 when none has it.
int supportTypeForKeyword(const QList<SupportType>& types, const QString& keyword);

// The volume serial as the catalogue stores it: signed decimal, 20 characters at most.
QString serialText(qint32 serial);

} // namespace velmar
