// Reading, writing and saving definition files of 10 to 10000 options
// (loading up to 100000, to show that it stays linear), and the hazard
// check of up to 100000.
// BM_Load times the whole CDefDocument::Load of a file in the temp folder
// (one file read, then the reader); BM_LoadLiteral reads the same file and
// gives it to the literal re-scanning reader the fast one is checked
// against.

#include "bench/GeneratedDefinition.h"
#include "document/DefDocument.h"
#include "document/DefinitionFile.h"
#include "document/DefinitionHazards.h"
#include "tests/document/oracle/LiteralReader.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A folder of this process in the system temp folder, removed at exit.
class BenchFolder
{
public:
    BenchFolder()
        : path_(fs::temp_directory_path() /
                ("quarn-bench-" + std::to_string(std::random_device()())))
    {
        fs::create_directories(path_);
    }
    ~BenchFolder()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

const BenchFolder& Folder()
{
    static const BenchFolder folder;
    return folder;
}

// The generated definition for options, written once to a file.
std::string DefinitionFile(int options)
{
    const std::string path = Folder().File("load" + std::to_string(options) + ".Quarn");
    if (!fs::exists(path)) {
        std::ofstream out(path, std::ios::binary);
        out << WriteDefinition(GeneratedDefinition(options));
    }
    return path;
}

void CountOptions(benchmark::State& state, std::size_t bytes)
{
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_Load(benchmark::State& state)
{
    const std::string path = DefinitionFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CDefDocument document;
        benchmark::DoNotOptimize(document.Load(path));
        benchmark::DoNotOptimize(document.Current.Options.data());
    }
    CountOptions(state, fs::file_size(path));
}

void BM_LoadLiteral(benchmark::State& state)
{
    const std::string path = DefinitionFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
        const CDef def = ReadDefinitionLiterally(bytes, path, path);
        benchmark::DoNotOptimize(def.Options.data());
    }
    CountOptions(state, fs::file_size(path));
}

void BM_Write(benchmark::State& state)
{
    const CDef def = GeneratedDefinition(static_cast<int>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string bytes = WriteDefinition(def);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    CountOptions(state, size);
}

// The hazard check the window runs whenever the document changed.
void BM_FindHazards(benchmark::State& state)
{
    const CDef def = GeneratedDefinition(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(FindHazards(def).data());
    CountOptions(state, WriteDefinition(def).size());
}

void BM_Save(benchmark::State& state)
{
    CDefDocument document;
    document.Current = GeneratedDefinition(static_cast<int>(state.range(0)));
    const std::string path = Folder().File("save" + std::to_string(state.range(0)) + ".Quarn");
    for (auto _ : state) {
        if (!document.Save(path))
            state.SkipWithError("save failed");
    }
    CountOptions(state, fs::file_size(path));
}

} // namespace

BENCHMARK(BM_Load)->RangeMultiplier(10)->Range(10, 100000)->Unit(benchmark::kMicrosecond);
// Quadratic: 10000 options would take minutes.
BENCHMARK(BM_LoadLiteral)->RangeMultiplier(10)->Range(10, 1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Write)->RangeMultiplier(10)->Range(10, 10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindHazards)->RangeMultiplier(10)->Range(10, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->RangeMultiplier(10)->Range(10, 10000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
