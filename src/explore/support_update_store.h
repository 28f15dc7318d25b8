#pragma once

// What an update asks of the open collection beyond an exploration's writes.

#include "explore/previous_files.h"
#include "explore/update_summary.h"

namespace velmar {

class SupportUpdateStore {
public:
    virtual ~SupportUpdateStore() = default;
    virtual PreviousFiles previousFiles(int support) = 0;
    // Makes `target` hold what the fresh exploration `staging` found, in one
    // transaction, and deletes `staging`: the files `previous` marks kept stay
    // as they are; changed ones take their new size, date, CRC and text (an
    // edited comment stays), vanished ones go, new ones move over. False when
    // it could not: `target` is then as it was.
    virtual bool mergeUpdate(int staging, int target, const PreviousFiles& previous,
                             UpdateSummary& summary) = 0;
};

} // namespace velmar
