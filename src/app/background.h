#pragma once

#include <QString>

namespace velmar {

// The plain files directly inside the folder, in the order the listing gives.
int countBackgroundPictures(const QString& folder);

// The k-th picture, k = whole part of (random × count) + 1, for a random
// number in [0, 1); "" when the folder holds none.
QString pickBackgroundPicture(const QString& folder, double random);

} // namespace velmar
