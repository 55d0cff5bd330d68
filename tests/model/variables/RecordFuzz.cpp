// A deterministic mutation run over the table reader, built with the
// address and undefined-behaviour sanitizers. It starts from valid table
// records and feeds the reader bit flips, byte changes, cuts, splices and
// hostile length and count fields for a bounded time. A crash, a sanitizer
// report or a reader that stops answering ends the run with a failure.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "items/Records.h"
#include "values/Stream.h"
#include "model/variables/Catalogue.h"
#include "model/variables/VariableTable.h"

namespace vantrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ValidTable(int variant) {
    VariableTable table;
    DeclareAll(table, ClipDeclarations(variant % 2 ? ClipKind::kTextString : ClipKind::kMediaWithVideo));
    DeclareEffect(table, EffectKind::kVideo, 679);
    for (int i = 0; i < table.Count(); ++i)
        for (int k = 0; k < (i * 7 + variant) % 5; ++k) table.At(i).SetValueAt(k * 250 - variant, 0.1 * k);
    MemoryOutStream out;
    table.Save(out);
    return out.bytes;
}

constexpr std::int32_t kHostileNumbers[] = {0, 3, 4, 7, 8, 200, 367, 368, 369, -1, 0x7fffffff, INT32_MIN, 2000000000};

void Mutate(Bytes& bytes, std::mt19937& random, const Bytes& other) {
    const int steps = 1 + int(random() % 4);
    for (int s = 0; s < steps && !bytes.empty(); ++s) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 7) {
            case 0: bytes[at] ^= std::uint8_t(1u << (random() % 8)); break;
            case 1: bytes[at] = std::uint8_t(random()); break;
            case 2: bytes.resize(at); break;
            case 3:
                if (at + 4 <= bytes.size())
                    StoreInt32(bytes.data() + at, kHostileNumbers[random() % std::size(kHostileNumbers)]);
                break;
            case 4: {  // aim at the length and count fields the reader trusts first
                const std::size_t field = (random() % 2) ? 0 : 4;
                const std::size_t where = (random() % 3) ? field : 8 + field;
                if (where + 4 <= bytes.size())
                    StoreInt32(bytes.data() + where, kHostileNumbers[random() % std::size(kHostileNumbers)]);
                break;
            }
            case 5: {  // fill an identifier so that it has no terminator
                const std::size_t name = 8 + 32;
                for (std::size_t i = name; i < name + 256 && i < bytes.size(); ++i) bytes[i] = 'Z';
                break;
            }
            default: {
                const std::size_t from = other.empty() ? 0 : random() % other.size();
                bytes.insert(bytes.begin() + std::ptrdiff_t(at), other.begin() + std::ptrdiff_t(from), other.end());
                break;
            }
        }
    }
}

int Run(double seconds) {
    const Bytes seeds[] = {ValidTable(0), ValidTable(1), ValidTable(2)};
    std::mt19937 random(4242);
    const auto start = std::chrono::steady_clock::now();
    long runs = 0;
    while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() < seconds) {
        Bytes bytes = seeds[random() % 3];
        Mutate(bytes, random, seeds[random() % 3]);
        VariableTable table;
        DeclareAll(table, ClipDeclarations(ClipKind::kMediaWithVideo));
        DeclareEffect(table, EffectKind::kVideo, 679);
        MemoryInStream in(bytes);
        table.Load(in);
        if (in.Position() > bytes.size()) {
            std::fprintf(stderr, "reader claims to be past the end\n");
            return 1;
        }
        // Whatever was read must read back clamped and save again.
        for (int i = 0; i < table.Count(); ++i) {
            const Variable& v = table.At(i);
            for (int k = 0; k + 1 < v.KeyCount(); ++k)
                if (v.Key(k).time >= v.Key(k + 1).time) {
                    std::fprintf(stderr, "keys out of order after run %ld\n", runs);
                    return 1;
                }
            const double value = v.ValueAt(123);
            if (v.Minimum() <= v.Maximum() && (value < v.Minimum() || value > v.Maximum())) {
                std::fprintf(stderr, "unclamped read after run %ld\n", runs);
                return 1;
            }
        }
        MemoryOutStream out;
        table.Save(out);
        ++runs;
    }
    std::printf("%ld mutated tables read\n", runs);
    return runs > 0 ? 0 : 1;
}

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    return vantrel::Run(seconds);
}
