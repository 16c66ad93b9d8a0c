// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// How reading a CSV project grows with its size, and what it costs against a baseline
// measured in the same run: the same bytes decoded from UTF-8 and split into lines and
// fields by Qt alone, without quotes, numbers or checks. "per_row" is the time per row.

#include "projectfile.h"
#include "randomsoundproject.h"
#include "validation.h"

#include <QString>
#include <QStringView>

#include <benchmark/benchmark.h>

#include <map>

namespace {

// A random sound network of `rows` activities with about two predecessors each.
const engine::Project &projectOf(int rows)
{
    static std::map<int, engine::Project> projects;
    auto found = projects.find(rows);
    if (found == projects.end()) {
        iotest::RandomSource random(static_cast<std::uint64_t>(rows));
        iotest::RandomProjectOptions options;
        options.activities = rows;
        options.predecessorsEach = 4; // 0 to 4, two on average
        options.awkwardTexts = false;
        found = projects.emplace(rows, iotest::randomSoundProject(random, options)).first;
    }
    return found->second;
}

const QByteArray &bytesOf(int rows, io::FileFormat format)
{
    static std::map<std::pair<int, io::FileFormat>, QByteArray> files;
    auto found = files.find({rows, format});
    if (found == files.end())
        found = files.emplace(std::pair {rows, format}, io::write(projectOf(rows), format)).first;
    return found->second;
}

void setCounters(benchmark::State &state, const QByteArray &bytes)
{
    const auto rows = static_cast<double>(state.range(0));
    state.counters["per_row"] = benchmark::Counter(
        rows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes.size());
}

void readCsv(benchmark::State &state)
{
    const QByteArray &bytes = bytesOf(static_cast<int>(state.range(0)), io::FileFormat::Csv);
    for (auto _ : state) {
        io::ReadResult result = io::read(bytes, QStringLiteral("bench.csv"), io::FileFormat::Csv);
        if (!result.isLoaded())
            state.SkipWithError("the file was refused");
        benchmark::DoNotOptimize(result);
    }
    setCounters(state, bytes);
}

void splitWithQt(benchmark::State &state)
{
    const QByteArray &bytes = bytesOf(static_cast<int>(state.range(0)), io::FileFormat::Csv);
    for (auto _ : state) {
        const QString text = QString::fromUtf8(bytes);
        qsizetype fields = 0;
        for (const QStringView line : QStringView(text).split(u'\n', Qt::SkipEmptyParts))
            fields += line.split(u',').size();
        benchmark::DoNotOptimize(fields);
    }
    setCounters(state, bytes);
}

void readCrashkit(benchmark::State &state)
{
    const QByteArray &bytes = bytesOf(static_cast<int>(state.range(0)), io::FileFormat::Crashkit);
    for (auto _ : state) {
        io::ReadResult result
            = io::read(bytes, QStringLiteral("bench.crashkit"), io::FileFormat::Crashkit);
        if (!result.isLoaded())
            state.SkipWithError("the file was refused");
        benchmark::DoNotOptimize(result);
    }
    setCounters(state, bytes);
}

// The engine's share of a read: validate() on the project read.
void validateOnly(benchmark::State &state)
{
    const engine::Project &project = projectOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(engine::validate(project));
    setCounters(state, bytesOf(static_cast<int>(state.range(0)), io::FileFormat::Csv));
}

} // namespace

BENCHMARK(splitWithQt)->RangeMultiplier(10)->Range(100, 100'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(readCsv)->RangeMultiplier(10)->Range(100, 100'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(readCrashkit)->RangeMultiplier(10)->Range(100, 100'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(validateOnly)->RangeMultiplier(10)->Range(100, 100'000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
