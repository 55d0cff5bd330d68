// Feeds mutated project records to the clip reader for a few seconds. Built
// with the address and undefined-behaviour sanitizers; any finding aborts.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "effects/EffectRegistry.h"
#include "tests/model/clips/ClipFixtures.h"

using namespace vantrel;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes SeedProject() {
    auto root = testing::MakeRoot();
    for (int i = 0; i < 8; ++i) root->SetLocator(i, 100 * i);
    Clip* text = testing::AddAt(*root, kTextStringType, 0, 4000, 0);
    text->Table().SetValueByName("IDS_STR_FONTSIZE", 500, 40);
    text->AddEffect(EffectKind::kVideo, 103);
    text->AddEffect(EffectKind::kAudio, 142);
    Clip* sub = testing::AddAt(*root, kSubArrangementType, 1000, 3000, 1);
    Clip* gradient = testing::AddAt(*sub, kGradientType, 0, 1000, 0);
    gradient->Table().SetValueByName("IDS_COLOR_LT_R", 10, 0.5);
    gradient->AddEffect(EffectKind::kVideo, 266);
    testing::AddAt(*sub, kSubArrangementType, 0, 500, 1);
    return testing::SaveBytes(*root);
}

constexpr std::int32_t kInteresting[] = {0, 1, -1, 4, 8, 63, 64, 65, 70, 255, 256, 257, 368, 412, 172, 568,
                                         5800, 6000, 0x7fffffff, std::int32_t(0x80000000), 103, 142, 999};

void Mutate(Bytes& bytes, std::mt19937& random) {
    const int steps = 1 + int(random() % 4);
    for (int s = 0; s < steps && !bytes.empty(); ++s) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 5) {
            case 0: bytes[at] ^= std::uint8_t(1u << (random() % 8)); break;
            case 1: bytes[at] = std::uint8_t(random()); break;
            case 2:
                if (at + 4 <= bytes.size())
                    StoreInt32(bytes.data() + (at & ~std::size_t(3)),
                               kInteresting[random() % (sizeof kInteresting / sizeof kInteresting[0])]);
                break;
            case 3: bytes.resize(at); break;
            case 4: {
                const std::size_t length = std::min<std::size_t>(random() % 6000, bytes.size() - at);
                Bytes chunk(bytes.begin() + long(at), bytes.begin() + long(at + length));
                bytes.insert(bytes.begin() + long(random() % bytes.size()), chunk.begin(), chunk.end());
                break;
            }
        }
    }
    // Aim at the counts the reader trusts most.
    const std::size_t fields[] = {ClipHeader::kChildCount, ClipHeader::kVideoEffectCount,
                                  ClipHeader::kAudioEffectCount, ClipHeader::kType, ClipHeader::kAudioMaster};
    if (bytes.size() > 5800 && random() % 2)
        StoreInt32(bytes.data() + fields[random() % 5],
                   kInteresting[random() % (sizeof kInteresting / sizeof kInteresting[0])]);
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    const Bytes seed = SeedProject();
    std::mt19937 random(20261208);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long runs = 0, loaded = 0;
    // Every other run reads its effects through the effects library, whose
    // records may carry private blocks, instead of the plain stand-ins.
    const EffectMaker registry = [](EffectKind kind, int type) -> std::unique_ptr<VariableOwner> {
        if (kind == EffectKind::kVideo) return CreateVideoEffect(type);
        return CreateAudioEffect(type);
    };
    while (std::chrono::steady_clock::now() < end) {
        SetEffectMaker(runs % 2 ? registry : EffectMaker{});
        Bytes bytes = seed;
        Mutate(bytes, random);
        auto root = testing::MakeRoot();
        if (testing::LoadBytes(*root, bytes)) ++loaded;
        // Whatever was read must save again.
        testing::SaveBytes(*root);
        ++runs;
    }
    std::printf("%ld runs, %ld loaded completely\n", runs, loaded);
    return runs > 0 ? 0 : 1;
}
