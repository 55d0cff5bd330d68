// Mutates projects, scripts, skins and media files and runs the program's
// own loaders on them in-process, a fixed number of times. Meant for the
// sanitizer build (see the README); any memory error or undefined behaviour
// stops the run there, and a run that does not finish is a hang.
//
//     loader_fuzz [INPUTS_PER_KIND [SEED]]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "items/Records.h"
#include "values/Stream.h"
#include "editor/workspace/ProjectFiles.h"
#include "editor/workspace/Workspace.h"
#include "compose/AudioMix.h"
#include "compose/Composition.h"
#include "media/sources/MediaOpen.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "script/Batch.h"
#include "skin/SettingsStore.h"

extern "C" const char* __ubsan_default_options() { return "halt_on_error=1:print_stacktrace=1"; }
extern "C" const char* __asan_default_options() { return "detect_leaks=0:quarantine_size_mb=64"; }

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

constexpr std::int32_t kInteresting[] = {0, 1, -1, 2, 4, 8, 16, 63, 64, 65, 255, 256, 257, 368, 412, 172, 568,
                                         1000, 5800, 6000, 10000, 65535, 65536, 0x7ffffffe, INT_MAX, INT_MIN,
                                         INT_MIN + 1, 0x40000000, 103, 142, 182};

template <class T, std::size_t N>
T Pick(const T (&table)[N], std::mt19937& random) {
    return table[random() % N];
}

// Byte-level mutations; `focus` bytes at the start (the headers) get most
// of them, where a format keeps its counts and sizes.
void Mutate(Bytes& bytes, std::mt19937& random, std::size_t focus) {
    const int steps = 1 + int(random() % 6);
    for (int s = 0; s < steps && !bytes.empty(); ++s) {
        const std::size_t span = random() % 4 ? std::min(focus, bytes.size()) : bytes.size();
        const std::size_t at = random() % span;
        switch (random() % 7) {
            case 0: bytes[at] ^= std::uint8_t(1u << (random() % 8)); break;
            case 1: bytes[at] = std::uint8_t(random()); break;
            case 2:
            case 3:
                if (at + 4 <= bytes.size()) StoreInt32(bytes.data() + (random() % 2 ? at & ~std::size_t(3) : at),
                                                       Pick(kInteresting, random));
                break;
            case 4:
                if (random() % 3 == 0) bytes.resize(at);
                break;
            case 5: {
                const std::size_t length = std::min<std::size_t>(random() % 8000, bytes.size() - at);
                const Bytes chunk(bytes.begin() + long(at), bytes.begin() + long(at + length));
                bytes.insert(bytes.begin() + long(random() % bytes.size()), chunk.begin(), chunk.end());
                break;
            }
            case 6: {
                const std::size_t length = std::min<std::size_t>(random() % 64, bytes.size() - at);
                bytes.erase(bytes.begin() + long(at), bytes.begin() + long(at + length));
                break;
            }
        }
    }
}

// Projects: headers are where the times, tracks and counts live.
Bytes BuiltProject() {
    WorkspaceOptions options;
    options.startWorker = false;
    Workspace root(nullptr, nullptr, nullptr, options);
    root.State()->SetAsksForMissingMedia(false);
    root.SetTimeValue(0);
    Clip* text = root.NewChildClip(kTextStringType);
    Clip* gradient = root.NewChildClip(kGradientType);
    Clip* sub = root.NewChildClip(kSubArrangementType);
    if (text) {
        text->AddEffect(EffectKind::kVideo, 103);
        text->AddEffect(EffectKind::kAudio, 142);
    }
    if (gradient) {
        gradient->AddEffect(EffectKind::kVideo, 266);
        gradient->AddEffect(EffectKind::kVideo, 182);
    }
    if (sub) {
        sub->NewChildClip(kGradientType);
        sub->NewChildClip(kSubArrangementType);
    }
    root.ImportMedia("chord.wav");
    root.ImportMedia("backdrop.avi");
    root.ImportMedia("sunrise.jpg");
    root.SetMakeRange(0, 2000);
    MemoryOutStream out;
    root.Save(out);
    return out.bytes;
}

// Clip headers sit at every record start; aim some mutations right at the
// header fields of times and tracks.
void AimAtHeaders(Bytes& bytes, std::mt19937& random) {
    constexpr std::size_t fields[] = {ClipHeader::kPosition, ClipHeader::kLength, ClipHeader::kStart,
                                      ClipHeader::kViewSpan, ClipHeader::kViewStart, ClipHeader::kMakeStart,
                                      ClipHeader::kMakeEnd, ClipHeader::kTrack, ClipHeader::kChildCount,
                                      ClipHeader::kVideoEffectCount, ClipHeader::kAudioEffectCount,
                                      ClipHeader::kAudioMaster, ClipHeader::kType, ClipHeader::kLocators};
    std::vector<std::size_t> headers;
    for (std::size_t at = 0; at + 5800 <= bytes.size(); ++at)
        if (LoadInt32(bytes.data() + at) == 5800) headers.push_back(at);
    if (headers.empty()) return;
    const int hits = 1 + int(random() % 4);
    for (int i = 0; i < hits; ++i)
        StoreInt32(bytes.data() + headers[random() % headers.size()] + Pick(fields, random), Pick(kInteresting, random));
}

struct Counts {
    long inputs = 0, accepted = 0;
};

Counts FuzzProjects(const std::vector<Bytes>& seeds, long runs, std::mt19937& random) {
    Counts counts;
    WorkspaceOptions options;
    options.startWorker = false;
    for (long i = 0; i < runs; ++i) {
        Bytes bytes = seeds[std::size_t(i) % seeds.size()];
        if (random() % 2) AimAtHeaders(bytes, random);
        if (random() % 2) Mutate(bytes, random, 6000);
        Workspace root(nullptr, nullptr, nullptr, options);
        root.State()->SetAsksForMissingMedia(false);
        MemoryInStream in(bytes);
        if (root.Load(in)) ++counts.accepted;
        // What was read composes, mixes, and saves again.
        const std::int32_t times[] = {0, 500, Pick(kInteresting, random)};
        for (std::int32_t time : times) {
            root.SetTime(time);
            Compose(root, kComposeMake);
        }
        MixBuffers mix;
        mix.Begin(40 * 176);
        MixStep(root, mix, 40, 40 * 176, kComposeMake);
        root.MoveGlobalTime(Pick(kInteresting, random));
        root.CompactTracks();
        MemoryOutStream out;
        root.Save(out);
        ++counts.inputs;
    }
    return counts;
}

const char* const kScriptWords[] = {
    "<vrs>", ";", ";", "{", "}", "loop", "if", "break", "return", "call", "=", "+=", "-=", "*=", "/=", "<", ">",
    "==", "GetTime", "SetTime", "GetValue", "SetValue", "GetPosition", "GetSize", "GetOffset", "*", ".", "cc",
    "cc.DST_L", "cc.SRC_R", "mt", "#1", "#0", "#255", "x", "1", "-1", "2147483647", "-2147483648", "1e39",
    "0.5", "MilliTicksGet", "AskUserYesNo", "prefs", "help", "self.vrm", "../x.vrm", "IDS_DST_L", "sin(x)",
};

std::string MutateScript(const std::string& seed, std::mt19937& random) {
    std::vector<std::string> words;
    std::istringstream split(seed);
    for (std::string word; split >> word;) words.push_back(word);
    const int steps = 1 + int(random() % 3);
    for (int s = 0; s < steps; ++s) {
        const std::size_t at = words.empty() ? 0 : random() % (words.size() + 1);
        switch (random() % 4) {
            case 0: words.insert(words.begin() + long(at), Pick(kScriptWords, random)); break;
            case 1:
                if (at < words.size()) words.erase(words.begin() + long(at));
                break;
            case 2:
                if (at < words.size()) words[at] = Pick(kScriptWords, random);
                break;
            case 3:
                if (at < words.size()) words.insert(words.begin() + long(at), words[at]);
                break;
        }
    }
    std::string text;
    for (const std::string& word : words) text += word + (random() % 6 ? " " : "\n");
    if (random() % 4 == 0 && !text.empty()) {
        Bytes raw(text.begin(), text.end());
        Mutate(raw, random, raw.size());
        text.assign(raw.begin(), raw.end());
    }
    return text;
}

Counts FuzzScripts(const Bytes& project, long runs, std::mt19937& random, const fs::path& folder) {
    const std::string seeds[] = {
        "<vrs> ;\n* SetTime 1.5 ;\ncc.DST_L SetValue 0.25 ;\nt = * GetTime ;\nreturn t ;\n",
        "<vrs> ;\nv = 0 ; loop { v += 0.25 ; if v >= 1 break ; }\n#0 SetTime v ;\nreturn v ;\n",
        "<vrs> a b ;\nx = mt GetValue ;\nif x == 2 { return ok ; }\nx /= 0 ;\ncall self.vrm 1 ;\n",
        "<vrs> ;\n#1 SetPosition 2147483647 ;\n#1 SetSize 10000 ;\n* SetTime 2147483.647 ;\n",
    };
    std::ofstream(folder / "self.vrm") << "<vrs> a ; a += 1 ; return a ;";
    Counts counts;
    WorkspaceOptions options;
    options.startWorker = false;
    Workspace root(nullptr, nullptr, nullptr, options);
    root.State()->SetAsksForMissingMedia(false);
    for (long i = 0; i < runs; ++i) {
        if (i % 50 == 0) {
            MemoryInStream in(project);
            root.Load(in);
        }
        const std::string path = (folder / "fuzz.vrm").string();
        std::ofstream(path, std::ios::trunc) << MutateScript(seeds[std::size_t(i) % 4], random);
        std::ostringstream out, err;
        std::string result;
        const ScriptBatchOptions batch{std::chrono::milliseconds(40), &out, &err};
        const int status = RunScriptBatch(path, root, batch, result);
        if (status == 0) ++counts.accepted;
        if (std::getenv("LOADER_FUZZ_VERBOSE"))
            std::fprintf(stderr, "script %d [%s] %s\n---\n%s\n", status, result.c_str(), err.str().c_str(),
                         std::string(std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {}).c_str());
        ++counts.inputs;
    }
    return counts;
}

Counts FuzzSkins(long runs, std::mt19937& random, const fs::path& folder) {
    SettingsStore& store = SettingsStore::Instance();
    store.BuildDefaults();
    const fs::path seedPath = folder / "seed.skn";
    store.SaveSkin(seedPath.string());
    std::vector<std::string> lines;
    {
        std::ifstream in(seedPath);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    const char* const values[] = {"", "-1", "0", "1", "2147483647", "-2147483648", "99999999999999999999",
                                  "\"", "\"\"", "\\", "\\n", "[Layout]", "=", "S_1010=0", "S_645=7",
                                  "image=../../../etc/passwd"};
    Counts counts;
    const fs::path path = folder / "fuzz.skn";
    for (long i = 0; i < runs; ++i) {
        std::vector<std::string> mutated = lines;
        const int steps = 1 + int(random() % 8);
        for (int s = 0; s < steps && !mutated.empty(); ++s) {
            const std::size_t at = random() % mutated.size();
            std::string& line = mutated[at];
            const std::size_t equals = line.find('=');
            switch (random() % 4) {
                case 0:
                    if (equals != std::string::npos) line = line.substr(0, equals + 1) + Pick(values, random);
                    break;
                case 1: mutated.insert(mutated.begin() + long(at), mutated[random() % mutated.size()]); break;
                case 2: mutated.erase(mutated.begin() + long(at)); break;
                case 3: line += std::string(random() % 3000, char('A' + random() % 26)); break;
            }
        }
        std::string text;
        for (const std::string& line : mutated) text += line + "\n";
        Bytes raw(text.begin(), text.end());
        if (random() % 4 == 0) Mutate(raw, random, raw.size());
        WriteBytes(path, raw);
        if (store.LoadSkin(path.string())) ++counts.accepted;
        for (int id = 0; id < 1024; id += 7) {
            store.Foreground(id);
            store.Background(id);
            store.ImageElement(id);
        }
        store.SaveSkin((folder / "again.skn").string());
        store.BuildDefaults();
        ++counts.inputs;
    }
    return counts;
}

Counts FuzzMedia(const fs::path& samples, long runs, std::mt19937& random, const fs::path& folder) {
    struct Seed {
        std::string extension;
        Bytes bytes;
    };
    std::vector<Seed> seeds;
    for (const char* name : {"chord.wav", "chime.wav", "backdrop.avi", "life.mp4", "disc.png", "sunrise.jpg"}) {
        Bytes bytes = ReadBytes(samples / name);
        if (!bytes.empty()) seeds.push_back({fs::path(name).extension().string(), std::move(bytes)});
    }
    Counts counts;
    if (seeds.empty()) return counts;
    for (long i = 0; i < runs; ++i) {
        const Seed& seed = seeds[std::size_t(i) % seeds.size()];
        Bytes bytes = seed.bytes;
        Mutate(bytes, random, 4096);
        const fs::path path = folder / ("fuzz" + seed.extension);
        WriteBytes(path, bytes);
        if (std::unique_ptr<MediaSource> source = OpenMediaSource(path.string())) {
            ++counts.accepted;
            for (const int t : {0, 500, 40, Pick(kInteresting, random), -1}) {
                if (source->HasPicture()) source->ReadFrame(t);
                if (source->HasAudio()) source->ReadAudioSecond(t);
            }
        }
        ++counts.inputs;
    }
    return counts;
}

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
    using namespace vantrel;
    const long runs = argc > 1 ? std::atol(argv[1]) : 250;
    const unsigned seed = argc > 2 ? unsigned(std::strtoul(argv[2], nullptr, 10)) : 20261208u;
    std::mt19937 random(seed);

    // A folder of our own holding copies of the bundled samples, so that the
    // relative media names of the example project resolve.
    std::string pattern = (fs::temp_directory_path() / "vantrel-loader-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return 1;
    const fs::path folder = pattern;
    const fs::path samples = fs::path(VANTREL_SOURCE_DIR) / "data" / "program" / "9" / "samps";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(samples, error))
        fs::copy_file(entry.path(), folder / entry.path().filename(), fs::copy_options::overwrite_existing, error);
    const fs::path previous = fs::current_path();
    fs::current_path(folder);

    ScriptedPlatform platform;  // questions take their default; nothing waits for a person
    InstallCompositionParts();
    std::vector<Bytes> projects{BuiltProject()};
    if (Bytes example = ReadBytes(folder / "example.kwp"); !example.empty()) projects.push_back(std::move(example));

    const auto began = std::chrono::steady_clock::now();
    const Counts p = FuzzProjects(projects, runs, random);
    const Counts s = FuzzScripts(projects.front(), runs, random, folder);
    const Counts k = FuzzSkins(runs, random, folder);
    const Counts m = FuzzMedia(folder, runs, random, folder);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

    fs::current_path(previous);
    fs::remove_all(folder, error);
    const long total = p.inputs + s.inputs + k.inputs + m.inputs;
    std::printf("loader fuzz, seed %u: %ld inputs in %.1f s (accepted: projects %ld/%ld, scripts %ld/%ld, "
                "skins %ld/%ld, media %ld/%ld)\n",
                seed, total, seconds, p.accepted, p.inputs, s.accepted, s.inputs, k.accepted, k.inputs, m.accepted,
                m.inputs);
    // Reaching this line is the result: every finding stops the run before.
    std::printf("%ld passed, 0 failed\n", total);
    return total > 0 ? 0 : 1;
}
