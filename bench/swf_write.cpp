// Cost of writing and reading a compressed movie of 10 MB of tags against bare zlib on the same
// bytes. Goals: writing at most 1.3x compress2 level 9, reading at most 2x uncompress.
#include "bench/BenchTiming.h"
#include "swf/SwfMovie.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfRawTag.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>

namespace {

constexpr size_t kTagBytes = 5000;
constexpr size_t kTags = 10 * 1024 * 1024 / kTagBytes;

// Tag bodies that compress about as well as pictures and scripts do: words drawn at random
// from a small vocabulary, with some noise.
std::unique_ptr<CSwfOutputMovie> MakeMovie()
{
    static const char* words[] = {"Push",      "GetVariable", "V1024", "kvCalc",
                                  "SetMember", "0.25",        "A17",   "embed_"};
    std::mt19937 random(42);
    auto movie = std::make_unique<CSwfOutputMovie>();
    for (size_t t = 0; t < kTags; ++t) {
        std::vector<uint8_t> body;
        body.reserve(kTagBytes);
        while (body.size() < kTagBytes) {
            const char* w = words[random() % 8];
            body.insert(body.end(), w, w + std::char_traits<char>::length(w));
            body.push_back(static_cast<uint8_t>(random()));
        }
        body.resize(kTagBytes);
        movie->AddTag(std::make_unique<CSwfRawTag>(200, std::move(body)));
    }
    return movie;
}

struct Fixture {
    std::unique_ptr<CSwfOutputMovie> movie = MakeMovie();
    std::vector<uint8_t> plain = movie->WriteBytes(8000, 6000, 30, false);
    std::vector<uint8_t> packed = movie->WriteBytes(8000, 6000, 30, true);
};

Fixture& Data()
{
    static Fixture fixture;
    return fixture;
}

void WriteCws()
{
    benchmark::DoNotOptimize(Data().movie->WriteBytes(8000, 6000, 30, true));
}

void BareCompress()
{
    const auto& plain = Data().plain;
    uLongf size = compressBound(plain.size() - 8);
    std::vector<uint8_t> out(size);
    compress2(out.data(), &size, plain.data() + 8, plain.size() - 8, 9);
    benchmark::DoNotOptimize(out.data());
}

void ReadCws()
{
    CSwfMovie movie;
    movie.LoadBytes(Data().packed);
    benchmark::DoNotOptimize(movie.GetTagCount());
}

void BareUncompress()
{
    const auto& plain = Data().plain;
    const auto& packed = Data().packed;
    std::vector<uint8_t> out(plain.size() - 8);
    uLongf size = out.size();
    uncompress(out.data(), &size, packed.data() + 8, packed.size() - 8);
    benchmark::DoNotOptimize(out.data());
}

void BM_WriteCws(benchmark::State& state)
{
    for (auto _ : state)
        WriteCws();
}
void BM_BareCompress2(benchmark::State& state)
{
    for (auto _ : state)
        BareCompress();
}
void BM_ReadCws(benchmark::State& state)
{
    for (auto _ : state)
        ReadCws();
}
void BM_BareUncompress(benchmark::State& state)
{
    for (auto _ : state)
        BareUncompress();
}
BENCHMARK(BM_WriteCws)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareCompress2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCws)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareUncompress)->Unit(benchmark::kMillisecond);

} // namespace

using benchtiming::Best;

int main(int argc, char** argv)
{
    Data(); // built before timing starts
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    double write = Best(WriteCws, 3), compress = Best(BareCompress, 3);
    double read = Best(ReadCws, 5), inflate = Best(BareUncompress, 5);
    std::printf("%zu MB of tags: write CWS / compress2 level 9 = %.2fx (goal <= 1.3x)\n",
                Data().plain.size() >> 20, write / compress);
    std::printf("read CWS / uncompress = %.2fx (goal <= 2x)\n", read / inflate);
    return 0;
}
