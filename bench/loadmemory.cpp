// What opening a design file allocates at its peak, per byte of the file, for the shapes that
// cost most: many tiny records, long texts of high bytes, records just big enough to be taken,
// and an ordinary design; and what vapgen java allocates beside vapgen check of the same file.
// Every operator new of the program is counted while it runs.

#include "benchdesigns.h"

#include "cli/vapgen.h"
#include "core/files/designfile.h"
#include "core/model/design.h"
#include "core/model/error.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

std::atomic<std::size_t> allocated{0};
std::atomic<std::size_t> peak{0};

void* counted(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block)
        throw std::bad_alloc();
    std::size_t now = allocated += malloc_usable_size(block);
    for (std::size_t seen = peak; now > seen && !peak.compare_exchange_weak(seen, now);)
        ;
    return block;
}

void uncounted(void* block) {
    if (block) {
        allocated -= malloc_usable_size(block);
        std::free(block);
    }
}

} // namespace

void* operator new(std::size_t size) {
    return counted(size);
}
void* operator new[](std::size_t size) {
    return counted(size);
}
void operator delete(void* block) noexcept {
    uncounted(block);
}
void operator delete[](void* block) noexcept {
    uncounted(block);
}
void operator delete(void* block, std::size_t) noexcept {
    uncounted(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    uncounted(block);
}

namespace {

constexpr std::size_t shapeBytes = 50'000'000;
/** The reader's promise: four times the file's size, and 16 MiB that any small design may take. */
constexpr double memoryTarget = 4.0 + double(16u << 20) / double(shapeBytes);

std::string repeated(const auto& record) {
    std::string bytes;
    for (int i = 0; bytes.size() < shapeBytes; ++i)
        bytes += record(i);
    return bytes;
}

std::string shape(int which) {
    switch (which) {
    case 0: // the smallest records that name a control
        return repeated([](int i) { return "LAB:\n\nq" + std::to_string(i) + "\n\n"; });
    case 1: // one control whose caption is all bytes that take three in memory
        return "LAB:1:2:3:4:0\r\n" + std::string(shapeBytes, '\x80') + "\r\nq\r\n\r\n";
    case 2: // texts just short enough to be kept inside the control, no numbers
        return repeated([](int i) {
            return "LAB:\ncaption1234567\nq" + std::to_string(i + 10000000) + "\nhint12345678901\n";
        });
    default: // what the designer writes for a form of many controls
        return repeated([](int i) {
            std::string name = "JLabel" + std::to_string(i);
            return "LAB:" + std::to_string(10 + i % 500) + ":" + std::to_string(20 + i % 300) +
                   ":21:120:" + std::to_string(i % 32) + "\r\n" + name + "\r\n" + name +
                   "\r\nDica " + std::to_string(i) + "\r\n";
        });
    }
}

void writeFile(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

void loadMemory(benchmark::State& state) {
    const std::string path = vapbench::scratch().file("shape.vap");
    writeFile(path, shape(static_cast<int>(state.range(0))));
    double ratio = 0;
    bool refused = false;
    for (auto _ : state) {
        vap::Design design;
        std::size_t before = allocated;
        peak = before;
        try {
            vap::openDesign(design, path);
        } catch (const vap::Error&) {
            refused = true;
        }
        ratio = static_cast<double>(peak - before) / static_cast<double>(shapeBytes);
    }
    state.counters["peak_x_file"] = ratio;
    state.counters["refused"] = refused;
    if (ratio > memoryTarget)
        state.SkipWithError("the load took more than four times the file's size and 16 MiB");
}

/** Takes what vapgen prints and keeps nothing, as a pipe to another program does. */
class DiscardingBuffer final : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

/** The peak of the bytes allocated while vapgen runs, beyond those held before. */
std::size_t vapgenPeak(const std::vector<std::string>& arguments, int& code) {
    DiscardingBuffer discarded;
    std::ostream out(&discarded), err(&discarded);
    std::size_t before = allocated;
    peak = before;
    code = vap::runVapgen(arguments, out, err);
    return peak - before;
}

std::string javaShape(int which) {
    if (which == 0) // some 800,000 labels: far more code than one Java method holds
        return shape(3);
    // Labels with names, captions and hints as long as Java takes them, the texts of control
    // characters, each escaped in four bytes: the largest source per byte of a design javac takes.
    return repeated([](int i) {
        std::string name = "n" + std::to_string(i) + "_";
        name.resize(65534, 'a');
        std::string text(65534, '\x01');
        return "LAB:1:2:21:120:0\r\n" + text + "\r\n" + name + "\r\n" + text + "\r\n";
    });
}

/** vapgen java, refusing a design too large for Java or printing one javac takes, beside check. */
void javaMemory(benchmark::State& state) {
    const std::string path = vapbench::scratch().file("java.vap");
    std::size_t fileBytes = 0;
    {
        std::string bytes = javaShape(static_cast<int>(state.range(0)));
        fileBytes = bytes.size();
        writeFile(path, bytes);
    }
    std::size_t java = 0, check = 0;
    int javaCode = 0, checkCode = 0;
    for (auto _ : state) {
        java = vapgenPeak({"java", path}, javaCode);
        check = vapgenPeak({"check", path}, checkCode);
    }
    double ratio = static_cast<double>(java) / static_cast<double>(fileBytes);
    state.counters["peak_x_file"] = ratio;
    state.counters["x_check"] = static_cast<double>(java) / static_cast<double>(check);
    state.counters["refused"] = javaCode == 1;
    if (checkCode != 0 || javaCode != (state.range(0) == 0 ? 1 : 0))
        state.SkipWithError("vapgen did not answer as expected");
    else if (ratio > 4.0 + double(16u << 20) / double(fileBytes))
        state.SkipWithError("vapgen java took more than four times the file's size and 16 MiB");
}

} // namespace

BENCHMARK(loadMemory)
    ->ArgName("shape")
    ->DenseRange(0, 3)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(javaMemory)
    ->ArgName("shape")
    ->DenseRange(0, 1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
