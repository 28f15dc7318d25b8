// CRCFromFile on a 256 MiB file in the page cache, against zlib's crc32() over
// the same bytes in memory and against a plain read of the file.
//   build/bench_crc --benchmark_min_time=2

#include "app/crc32.h"
#include "app/crc32_engine.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <vector>

namespace {

constexpr qint64 kFileSize = 256LL * 1024 * 1024;

const QString& samplePath() {
    static const QString path = [] {
        const QString p = QDir::tempPath() + QStringLiteral("/velmar-crc-bench.bin");
        if (QFile(p).size() != kFileSize) {
            QFile f(p);
            f.open(QIODevice::WriteOnly | QIODevice::Truncate);
            QByteArray chunk(1 << 20, Qt::Uninitialized);
            QRandomGenerator rng(42);
            for (qint64 done = 0; done < kFileSize; done += chunk.size()) {
                rng.fillRange(reinterpret_cast<quint32*>(chunk.data()), chunk.size() / 4);
                f.write(chunk);
            }
        }
        return p;
    }();
    return path;
}

const QByteArray& sampleBytes() {
    static const QByteArray bytes = [] {
        QFile f(samplePath());
        f.open(QIODevice::ReadOnly);
        return f.readAll(); // also brings the file into the page cache
    }();
    return bytes;
}

void BM_CRCFromFile(benchmark::State& state) {
    sampleBytes();
    const velmar::clsCRC32 crc;
    for (auto _ : state) {
        bool error = false;
        benchmark::DoNotOptimize(crc.CRCFromFile(samplePath(), error));
    }
    state.SetBytesProcessed(state.iterations() * kFileSize);
}

void BM_ZlibCrc32(benchmark::State& state) {
    const QByteArray& bytes = sampleBytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            crc32(0L, reinterpret_cast<const Bytef*>(bytes.constData()), static_cast<uInt>(bytes.size())));
    state.SetBytesProcessed(state.iterations() * kFileSize);
}

// The CRC engine alone over the bytes in memory, for the record.
void BM_EngineInMemory(benchmark::State& state) {
    const QByteArray& bytes = sampleBytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            velmar::crc32::of(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    state.SetBytesProcessed(state.iterations() * kFileSize);
}

void BM_PlainRead(benchmark::State& state) {
    sampleBytes();
    std::vector<char> buffer(256 * 1024);
    for (auto _ : state) {
        QFile f(samplePath());
        f.open(QIODevice::ReadOnly);
        while (f.read(buffer.data(), static_cast<qint64>(buffer.size())) > 0)
            benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kFileSize);
}

} // namespace

BENCHMARK(BM_CRCFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibCrc32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
