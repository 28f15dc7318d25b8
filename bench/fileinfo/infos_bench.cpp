// RenvoieInfosFichier over a folder of 1,000 mixed sample files that sit in the
// page cache (each run reads them once before timing). The reference reads
// every file whole, which bounds what a probe reading whole files could do.
// Per-extension runs report the bytes each probe asks of the kernel per file
// (rchar of /proc/self/io), to compare with what each format needs.

#include "sample_tree.h"

#include "fileinfo/file_infos.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using velmar::bench::SampleTree;

struct Samples {
    QTemporaryDir dir;
    SampleTree tree;
    Samples() {
        tree = velmar::bench::makeSampleTree(dir.filePath(QStringLiteral("echantillons")), 1000);
        for (const QString& path : tree.files) { // warm the page cache
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                benchmark::DoNotOptimize(file.readAll());
        }
    }
};

const Samples& samples() {
    static const Samples s;
    return s;
}

qint64 bytesReadSoFar() {
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    return 0;
}

void BM_RenvoieInfosFichier(benchmark::State& state) {
    const SampleTree& tree = samples().tree;
    const QString mode = QStringLiteral("AUTO");
    for (auto _ : state)
        for (const QString& path : tree.files)
            benchmark::DoNotOptimize(velmar::RenvoieInfosFichier(path, mode));
    state.SetItemsProcessed(state.iterations() * tree.files.size());
    state.SetBytesProcessed(state.iterations() * tree.totalBytes);
}
BENCHMARK(BM_RenvoieInfosFichier)->Unit(benchmark::kMillisecond);

void BM_ReferenceReadWholeFiles(benchmark::State& state) {
    const SampleTree& tree = samples().tree;
    for (auto _ : state)
        for (const QString& path : tree.files) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                benchmark::DoNotOptimize(file.readAll());
        }
    state.SetItemsProcessed(state.iterations() * tree.files.size());
    state.SetBytesProcessed(state.iterations() * tree.totalBytes);
}
BENCHMARK(BM_ReferenceReadWholeFiles)->Unit(benchmark::kMillisecond);

// One extension at a time; counters: mean file size and bytes read per file.
void BM_ProbeByExtension(benchmark::State& state, const char* extension) {
    QStringList files;
    qint64 size = 0;
    for (const QString& path : samples().tree.files)
        if (path.endsWith(QLatin1Char('.') + QLatin1String(extension))) {
            files.append(path);
            size += QFileInfo(path).size();
        }
    const QString mode = QStringLiteral("AUTO");
    qint64 read = 0;
    for (auto _ : state) {
        const qint64 before = bytesReadSoFar();
        for (const QString& path : files)
            benchmark::DoNotOptimize(velmar::RenvoieInfosFichier(path, mode));
        read += bytesReadSoFar() - before;
    }
    const double perFile = double(files.size()) * double(state.iterations());
    state.counters["file_bytes"] = double(size) / double(files.size());
    state.counters["read_per_file"] = double(read) / perFile;
    state.SetItemsProcessed(state.iterations() * files.size());
}
BENCHMARK_CAPTURE(BM_ProbeByExtension, html, "html");
BENCHMARK_CAPTURE(BM_ProbeByExtension, htm_no_title, "htm");
BENCHMARK_CAPTURE(BM_ProbeByExtension, mod, "mod");
BENCHMARK_CAPTURE(BM_ProbeByExtension, xm, "xm");
BENCHMARK_CAPTURE(BM_ProbeByExtension, bmp, "bmp");
BENCHMARK_CAPTURE(BM_ProbeByExtension, gif, "gif");
BENCHMARK_CAPTURE(BM_ProbeByExtension, jpg, "jpg");
BENCHMARK_CAPTURE(BM_ProbeByExtension, wav, "wav");
BENCHMARK_CAPTURE(BM_ProbeByExtension, mp3, "mp3");
BENCHMARK_CAPTURE(BM_ProbeByExtension, exe, "exe");

} // namespace

BENCHMARK_MAIN();
