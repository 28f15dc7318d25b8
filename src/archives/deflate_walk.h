#pragma once

// Where a raw deflate stream ends: it is inflated (the output thrown away)
// to learn its compressed length and its true uncompressed size, which the
// gzip trailer keeps only modulo 4 GiB. Needed to find the member that
// follows in a gzip file of several members.

#include "archives/byte_source.h"

namespace velmar::archives {

struct DeflateEnd {
    bool ended = false;  // the stream's last block was reached
    qint64 consumed = 0; // compressed bytes, from the start to the stream's end
    qint64 produced = 0; // uncompressed bytes
};

DeflateEnd walkDeflate(ByteSource& source, qint64 start);

} // namespace velmar::archives
