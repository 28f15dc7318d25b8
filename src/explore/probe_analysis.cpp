#include "explore/probe_analysis.h"

#include "fileinfo/extension_table.h"
#include "fileinfo/file_infos.h"

namespace velmar {

QString ProbeAnalysis::informationText(const QString& path, const QString& mode) {
    return RenvoieInfosFichier(path, mode);
}

void ProbeAnalysis::classify(const QString& extension, bool& program, bool& archive) {
    DescriptionTypeFichier(extension, program, archive);
}

} // namespace velmar
