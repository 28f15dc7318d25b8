#include "app/session.h"

namespace velmar {

Session& session() {
    static Session instance;
    return instance;
}

} // namespace velmar
