#include "archives/tar_pax.h"

namespace velmar::archives {

namespace {

// A decimal number, with an optional sign; the part after a '.' is dropped.
std::optional<qint64> decimal(const QByteArray& text) {
    bool ok = false;
    const qsizetype dot = text.indexOf('.');
    const qint64 value = (dot >= 0 ? text.left(dot) : text).toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

void applyRecord(const QByteArray& key, const QByteArray& value, PaxValues& values) {
    if (key == "path")
        values.path = value;
    else if (key == "size")
        values.size = decimal(value);
    else if (key == "mtime")
        values.mtime = decimal(value);
    else if (key == "GNU.sparse.realsize" || key == "GNU.sparse.size")
        values.realSize = decimal(value);
    else if (key == "GNU.sparse.name")
        values.sparseName = value;
}

} // namespace

void readPaxRecords(const QByteArray& data, PaxValues& values) {
    qsizetype at = 0;
    while (at < data.size()) {
        const qsizetype space = data.indexOf(' ', at);
        if (space < 0)
            return;
        bool ok = false;
        const qint64 length = data.mid(at, space - at).toLongLong(&ok);
        if (!ok || length <= space - at || length > data.size() - at || data[at + length - 1] != '\n')
            return;
        const QByteArray record = data.mid(space + 1, at + length - 1 - (space + 1));
        const qsizetype equals = record.indexOf('=');
        if (equals > 0)
            applyRecord(record.left(equals), record.mid(equals + 1), values);
        at += length;
    }
}

PaxValues mergedPax(const PaxValues& local, const PaxValues& global) {
    PaxValues merged = local;
    if (!merged.path)
        merged.path = global.path;
    if (!merged.size)
        merged.size = global.size;
    if (!merged.mtime)
        merged.mtime = global.mtime;
    return merged;
}

} // namespace velmar::archives
