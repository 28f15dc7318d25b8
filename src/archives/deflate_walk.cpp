#include "archives/deflate_walk.h"

#include <zlib.h>

#include <vector>

namespace velmar::archives {

namespace {
constexpr qint64 chunkSize = 64 * 1024;
constexpr int rawDeflate = -MAX_WBITS;
} // namespace

DeflateEnd walkDeflate(ByteSource& source, qint64 start) {
    DeflateEnd end;
    z_stream stream{};
    if (inflateInit2(&stream, rawDeflate) != Z_OK)
        return end;
    std::vector<unsigned char> input(chunkSize);
    std::vector<unsigned char> output(chunkSize);
    qint64 position = start;
    int status = Z_OK;
    // Z_BUF_ERROR with all input used only asks for more input.
    while (status == Z_OK || (status == Z_BUF_ERROR && stream.avail_in == 0)) {
        if (stream.avail_in == 0) {
            const qint64 got = source.readAt(position, reinterpret_cast<char*>(input.data()), chunkSize);
            if (got <= 0)
                break;
            position += got;
            stream.next_in = input.data();
            stream.avail_in = uInt(got);
        }
        stream.next_out = output.data();
        stream.avail_out = uInt(chunkSize);
        status = inflate(&stream, Z_NO_FLUSH);
    }
    end.ended = status == Z_STREAM_END;
    end.consumed = qint64(position - start) - qint64(stream.avail_in);
    end.produced = qint64(stream.total_out);
    inflateEnd(&stream);
    return end;
}

} // namespace velmar::archives
