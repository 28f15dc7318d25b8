#include "explore/support_update.h"

#include "app/dialogs.h"
#include "explore/drive_panel.h"
#include "explore/exploration_failure.h"
#include "explore/exploration_phases.h"

namespace velmar {

namespace {

const QString kStagingPrefix = QStringLiteral("Mise à jour en cours du support n° ");

// The support to update: in the collection, and explored to its end once.
bool findTarget(ExplorationStore& store, const QString& name, int& target) {
    if (name.isEmpty() || !store.findSupportByName(name, target)) {
        dialogs().message(
            QStringLiteral("Le support « ") + name +
                QStringLiteral(" » n'est pas dans la collection : il ne peut pas être mis à jour."),
            MessageStyle::Exclamation);
        return false;
    }
    int unfinished = 0;
    if (store.findUnfinishedSupport(name, unfinished)) {
        dialogs().message(QStringLiteral("L'exploration du support « ") + name +
                              QStringLiteral(" » n'a pas abouti : explorez-le de nouveau sous le même "
                                             "nom plutôt que de le mettre à jour."),
                          MessageStyle::Exclamation);
        return false;
    }
    return true;
}

// What a killed update left behind is only a half-explored copy: it goes.
bool clearLeftOverStaging(ExplorationStore& store, const QString& stagingName) {
    int leftOver = 0;
    return !store.findSupportByName(stagingName, leftOver) || store.deleteSupport(leftOver);
}

bool addStaging(const ExplorationRequest& request, ExplorationStore& store, const QString& stagingName,
                int& staging) {
    return clearLeftOverStaging(store, stagingName) &&
           store.addSupport(stagingName, request.volume.rootPath, request.supportType,
                            serialText(request.volume.serial), request.volume.label) &&
           store.findSupportByName(stagingName, staging);
}

// A stopped or failed update drops its copy; the name index then catches up
// with the rows written meanwhile.
ExplorationOutcome dropStaging(const ExplorationContext& context, const QString& name, int staging,
                               ExplorationCounters& counters) {
    context.store.deleteSupport(staging);
    context.store.updateSupportTotals(name);
    storeFailed(context, counters);
    return counters.failed ? ExplorationOutcome::Failed : ExplorationOutcome::Completed;
}

ExplorationOutcome finishUpdate(const ExplorationContext& context, SupportUpdateStore& updates,
                                const QString& name, int staging, int target, const PreviousFiles& previous,
                                ExplorationCounters& counters, UpdateSummary& summary) {
    context.store.commit();
    if (storeFailed(context, counters) || counters.stopped)
        return dropStaging(context, name, staging, counters);
    if (!updates.mergeUpdate(staging, target, previous, summary)) {
        storeFailed(context, counters);
        return dropStaging(context, name, staging, counters);
    }
    context.store.updateSupportTotals(name);
    storeFailed(context, counters);
    return counters.failed ? ExplorationOutcome::Failed : ExplorationOutcome::Completed;
}

} // namespace

QString updateStagingName(int target) {
    return kStagingPrefix + QString::number(target);
}

bool isUpdateStagingName(const QString& name) {
    return name.startsWith(kStagingPrefix);
}

ExplorationOutcome runUpdate(const ExplorationRequest& request, const ExplorationContext& context,
                             SupportUpdateStore& updates, ExplorationCounters& counters,
                             UpdateSummary& summary) {
    const QString name = request.supportName.left(kSupportNameLength);
    int target = 0;
    if (!findTarget(context.store, name, target))
        return ExplorationOutcome::Refused;
    ExplorationRequest staged = request;
    PreviousFiles previous = updates.previousFiles(target);
    staged.previous = &previous;
    const QString stagingName = updateStagingName(target);
    int staging = 0;
    if (!addStaging(staged, context.store, stagingName, staging))
        return storeFailed(context, counters) ? ExplorationOutcome::Failed : ExplorationOutcome::Refused;
    runExplorationPhases(staged, context, staging, counters);
    return finishUpdate(context, updates, name, staging, target, previous, counters, summary);
}

} // namespace velmar
