#include "archives/pack_state.h"

namespace velmar::archives {

PackState& packState() {
    static PackState state;
    return state;
}

} // namespace velmar::archives
