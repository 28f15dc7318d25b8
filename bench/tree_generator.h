#pragma once

// Synthetic trees for the benchmarks: many small files across nested
// directories, a flat folder of many subdirectories, or a few large files.

#include <QString>

namespace velmar::bench {

// `files` files of `fileSize` bytes spread evenly over `directories`
// directories nested up to three levels deep, with a mix of extensions.
bool makeTree(const QString& root, int directories, int files, qint64 fileSize);

// One folder holding `count` empty subdirectories.
bool makeFlatTree(const QString& root, int count);

// `count` files of `size` bytes of pseudo-random content.
bool makeLargeFiles(const QString& root, int count, qint64 size);

} // namespace velmar::bench
