#include "bench/compose/Projects.h"

#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "values/Stream.h"
#include "model/clips/Clip.h"
#include "compose/Composition.h"
#include "model/variables/Catalogue.h"

namespace vantrel::bench {

namespace {

void Key(VariableOwner& owner, int stringId, std::int32_t time, double value) {
    if (Variable* variable = owner.Table().ById(stringId)) variable->SetValueAt(time, value);
}

void Rectangle(VariableOwner& owner, int firstId, double l, double t, double r, double b, std::int32_t time = 0) {
    Key(owner, firstId, time, l);
    Key(owner, firstId + 1, time, t);
    Key(owner, firstId + 2, time, r);
    Key(owner, firstId + 3, time, b);
}

constexpr int kSource = 45, kDestination = 49;
constexpr int kFrameSize = 685;
constexpr int kStartOpacity = 554, kVolume = 123, kPan = 150, kProgress = 276;

void SetupRoot(Clip& root, int outputSizeId, std::int32_t length) {
    InstallCompositionParts();
    root.SetArrangement(true);
    root.SetOutputSizeId(outputSizeId);
    root.SetFrameRateId(134);
    root.RestoreTimes(0, length, 0);
    root.SetView(0, length);
    root.SetMakeRange(0, length);
}

Clip* Media(Clip& parent, const std::string& path, int track, std::int32_t position, std::int32_t length,
            std::string& error) {
    Clip* clip = parent.ImportMedia(path);
    if (!clip) {
        error += "cannot open " + path + "\n";
        return nullptr;
    }
    clip->RestoreTimes(position, length, 0);
    clip->SetTrack(track);
    return clip;
}

bool Save(Clip& root, const std::string& path, std::string& error) {
    root.SetName(std::filesystem::path(path).filename().string());
    root.SetMediaPath(path);
    root.FillHeader();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error += "cannot write " + path + "\n";
        return false;
    }
    FileOutStream out(file);
    const bool ok = root.Save(out) != 0;
    return std::fclose(file) == 0 && ok;
}

struct FolderScope {
    explicit FolderScope(const std::string& folder) : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~FolderScope() { std::filesystem::current_path(previous); }
    std::filesystem::path previous;
};

}  // namespace

bool WriteExampleProject(const std::string& where, std::string& error) {
    const std::string folder = std::filesystem::absolute(where).string();
    FolderScope scope(folder);
    Clip root;
    SetupRoot(root, 82, 6000);  // 320 x 240, 15 fps, six seconds

    // The backdrop movie, filling the frame.
    if (Clip* backdrop = Media(root, "backdrop.avi", 5, 0, 6000, error)) Key(*backdrop, kStartOpacity, 0, 1);

    // A still wiped in over the backdrop's first seconds and out again.
    if (Clip* still = Media(root, "sunrise.jpg", 4, 0, 6000, error)) {
        Key(*still, kStartOpacity, 0, 1);
        if (VariableOwner* wipe = still->AddEffect(EffectKind::kVideo, 282)) {
            Key(*wipe, kProgress, 0, -1);
            Key(*wipe, kProgress, 2500, 1);
            Key(*wipe, kProgress, 4500, 1);
            Key(*wipe, kProgress, 6000, -1);
        }
    }

    // A nested arrangement as a picture in the picture: a moving pattern
    // under a gradient masked by a circle, with its own chime.
    if (Clip* sub = root.NewChildClip(kSubArrangementType)) {
        sub->RestoreTimes(1000, 4500, 0);
        sub->SetTrack(2);
        sub->SetName("Picture in Picture");
        Rectangle(*sub, kDestination, 0.55, 0.05, 0.95, 0.45);
        Rectangle(*sub, kDestination, 0.05, 0.05, 0.45, 0.45, 4500);
        if (Clip* life = Media(*sub, "life.mp4", 1, 0, 4500, error)) Key(*life, kStartOpacity, 0, 1);
        if (Clip* gradient = sub->NewChildClip(kGradientType)) {
            gradient->RestoreTimes(0, 4500, 0);
            gradient->SetTrack(0);
            Key(*gradient, kStartOpacity, 0, -0.4);
            gradient->AddEffect(EffectKind::kVideo, 181);  // "Circle Key"
        }
        if (Clip* chime = Media(*sub, "chime.wav", 2, 500, 1500, error))
            if (VariableOwner* volume = chime->AddEffect(EffectKind::kAudio, 142)) Key(*volume, kPan, 0, -0.6);
    }

    // A disc shot against a green screen, keyed out and moving across.
    if (Clip* disc = Media(root, "disc.png", 1, 0, 6000, error)) {
        Key(*disc, kStartOpacity, 0, 1);
        Rectangle(*disc, kDestination, 0.0, 0.45, 0.3, 0.85, 0);
        Rectangle(*disc, kDestination, 0.7, 0.45, 1.0, 0.85, 6000);
        disc->AddEffect(EffectKind::kVideo, 30);  // "Green Key"
    }

    // A title at the bottom; only its letters are drawn.
    if (Clip* title = root.NewChildClip(kTextStringType)) {
        title->RestoreTimes(0, 6000, 0);
        title->SetTrack(0);
        Rectangle(*title, kDestination, 0.05, 0.8, 0.95, 0.98);
    }

    // A chord swelling and panning across, with a compressor, and a second
    // chime at the root.
    if (Clip* chord = Media(root, "chord.wav", 6, 0, 6000, error)) {
        if (VariableOwner* volume = chord->AddEffect(EffectKind::kAudio, 142)) {
            Key(*volume, kVolume, 0, 0.2);
            Key(*volume, kVolume, 2000, 1);
            Key(*volume, kVolume, 6000, 0.3);
            Key(*volume, kPan, 0, -0.8);
            Key(*volume, kPan, 6000, 0.8);
        }
        chord->AddEffect(EffectKind::kAudio, 514);  // "4-Band Compressor / Expander"
    }
    Media(root, "chime.wav", 7, 4200, 1500, error);

    // A frame around everything, as a master effect.
    if (VariableOwner* frame = root.AddEffect(EffectKind::kVideo, 679))  // "Frame Style 1"
        Key(*frame, kFrameSize, 0, 0.03);
    if (!error.empty()) return false;
    return Save(root, (std::filesystem::path(folder) / "example.kwp").string(), error);
}

namespace {
constexpr const char* kSources[] = {"testsrc", "testsrc2", "smptebars", "rgbtestsrc"};
constexpr double kVolumes[] = {0.8, 0.6, 0.5, 0.4};
constexpr int kFrequencies[] = {220, 330, 440, 550};

std::string VideoName(int i, int seconds) { return "w1-video" + std::to_string(i) + "-" + std::to_string(seconds) + ".avi"; }
std::string AudioName(int i, int seconds) { return "w1-audio" + std::to_string(i) + "-" + std::to_string(seconds) + ".wav"; }

bool Run(const std::string& command) { return std::system(command.c_str()) == 0; }

// Made once: a file already there from an earlier run is kept.
bool MakeOnce(const std::string& path, const std::string& ffmpegArguments, std::string& error) {
    if (std::filesystem::exists(path) || Run("ffmpeg -nostdin -v error -y " + ffmpegArguments + " '" + path + "'"))
        return true;
    error = "ffmpeg could not make " + path;
    return false;
}

// Track i's sine tone, shared by W1 and W4.
bool MakeTone(const std::string& folder, int i, int seconds, std::string& error) {
    return MakeOnce(folder + "/" + AudioName(i, seconds),
                    "-f lavfi -i sine=f=" + std::to_string(kFrequencies[i]) + ":r=44100:d=" + std::to_string(seconds) +
                        " -ac 2 -c:a pcm_s16le",
                    error);
}
}  // namespace

std::string WriteW1Project(const std::string& folder, int seconds, std::string& error) {
    std::filesystem::create_directories(folder);
    const std::string s = std::to_string(seconds);
    for (int i = 0; i < 4; ++i) {
        if (!MakeOnce(folder + "/" + VideoName(i, seconds),
                      "-f lavfi -i " + std::string(kSources[i]) + "=s=352x288:r=15:d=" + s + " -c:v rawvideo -pix_fmt bgr24",
                      error) ||
            !MakeTone(folder, i, seconds, error))
            return {};
    }
    const std::string project = folder + "/w1-" + s + ".kwp";
    Clip root;
    const std::int32_t length = seconds * 1000;
    SetupRoot(root, 640, length);  // "352 / 288 (CIF PAL)"
    const double w = 352, h = 288;
    for (int i = 0; i < 4; ++i) {
        Clip* clip = Media(root, folder + "/" + VideoName(i, seconds), 3 - i, 0, length, error);
        if (!clip) return {};
        Key(*clip, kStartOpacity, 0, i == 0 ? 1 : 0.75);
        if (i == 1) Rectangle(*clip, kDestination, 22 / w, 18 / h, 242 / w, 198 / h);
        if (i == 2) Rectangle(*clip, kDestination, 132 / w, 72 / h, 330 / w, 234 / h);
        if (i == 3) {
            Rectangle(*clip, kSource, 0.25, 0.25, 0.75, 0.75);
            Rectangle(*clip, kDestination, 44 / w, 72 / h, 242 / w, 288 / h);
        }
    }
    for (int i = 0; i < 4; ++i) {
        Clip* clip = Media(root, folder + "/" + AudioName(i, seconds), 4 + i, 0, length, error);
        if (!clip) return {};
        if (VariableOwner* volume = clip->AddEffect(EffectKind::kAudio, 142)) Key(*volume, kVolume, 0, kVolumes[i]);
    }
    if (!Save(root, project, error)) return {};
    return project;
}

std::string W1FfmpegCommand(const std::string& folder, int seconds, const std::string& output, bool oneThread) {
    std::string command = "ffmpeg -nostdin -v error -y";
    if (oneThread) command += " -threads 1 -filter_threads 1 -filter_complex_threads 1";
    for (int i = 0; i < 4; ++i) command += " -i '" + folder + "/" + VideoName(i, seconds) + "'";
    for (int i = 0; i < 4; ++i) command += " -i '" + folder + "/" + AudioName(i, seconds) + "'";
    command +=
        " -filter_complex \""
        "[0:v]format=bgra,lutrgb=a=255[base];"
        "[1:v]scale=220:180:flags=neighbor,format=bgra,lutrgb=a=192[v1];"
        "[2:v]scale=198:162:flags=neighbor,format=bgra,lutrgb=a=192[v2];"
        "[3:v]crop=176:144:88:72,scale=198:216:flags=neighbor,format=bgra,lutrgb=a=192[v3];"
        "[base][v1]overlay=22:18[o1];[o1][v2]overlay=132:72[o2];[o2][v3]overlay=44:72,format=bgr0[vout];"
        "[4:a]volume=0.8[a0];[5:a]volume=0.6[a1];[6:a]volume=0.5[a2];[7:a]volume=0.4[a3];"
        "[a0][a1][a2][a3]amix=inputs=4:normalize=0[aout]\""
        " -map '[vout]' -map '[aout]' -c:v ffv1" + std::string(oneThread ? " -threads 1" : "") + " -c:a flac '" +
        output + "'";
    return command;
}

namespace {
std::string W4VideoName(int i, int seconds) {
    return "w4-video" + std::to_string(i) + "-" + std::to_string(seconds) + ".mp4";
}
// W1's rectangles in Full HD pixels: left, top, right, bottom.
constexpr int kW4Places[4][4] = {{0, 0, 1920, 1080}, {120, 68, 1320, 740}, {720, 256, 1800, 864},
                                 {240, 256, 1320, 1080}};
// The upper one shows the middle quarter of its picture.
constexpr int kW4Crop[4] = {480, 270, 1440, 810};
}  // namespace

std::string WriteW4Project(const std::string& folder, int seconds, std::string& error) {
    std::filesystem::create_directories(folder);
    const std::string s = std::to_string(seconds);
    for (int i = 0; i < 4; ++i) {
        if (!MakeOnce(folder + "/" + W4VideoName(i, seconds),
                      "-f lavfi -i " + std::string(kSources[i]) + "=s=1920x1080:r=25:d=" + s +
                          " -c:v libx264 -preset veryfast -crf 23 -g 25 -pix_fmt yuv420p",
                      error) ||
            !MakeTone(folder, i, seconds, error))
            return {};
    }
    const std::string project = folder + "/w4-" + s + ".kwp";
    Clip root;
    const std::int32_t length = seconds * 1000;
    SetupRoot(root, 823, length);  // "1920 / 1080 (Full HD)"
    root.SetFrameRateId(832);      // "25 fps (PAL)"
    const double w = 1920, h = 1080;
    for (int i = 0; i < 4; ++i) {
        Clip* clip = Media(root, folder + "/" + W4VideoName(i, seconds), 3 - i, 0, length, error);
        if (!clip) return {};
        Key(*clip, kStartOpacity, 0, i == 0 ? 1 : 0.75);
        const int* place = kW4Places[i];
        if (i > 0) Rectangle(*clip, kDestination, place[0] / w, place[1] / h, place[2] / w, place[3] / h);
        if (i == 3) Rectangle(*clip, kSource, kW4Crop[0] / w, kW4Crop[1] / h, kW4Crop[2] / w, kW4Crop[3] / h);
    }
    for (int i = 0; i < 4; ++i) {
        Clip* clip = Media(root, folder + "/" + AudioName(i, seconds), 4 + i, 0, length, error);
        if (!clip) return {};
        if (VariableOwner* volume = clip->AddEffect(EffectKind::kAudio, 142)) Key(*volume, kVolume, 0, kVolumes[i]);
    }
    if (!Save(root, project, error)) return {};
    return project;
}

std::string W4FfmpegCommand(const std::string& folder, int seconds, const std::string& output) {
    std::string command = "ffmpeg -nostdin -v error -y";
    for (int i = 0; i < 4; ++i) command += " -i '" + folder + "/" + W4VideoName(i, seconds) + "'";
    for (int i = 0; i < 4; ++i) command += " -i '" + folder + "/" + AudioName(i, seconds) + "'";
    auto size = [](const int* r) { return std::to_string(r[2] - r[0]) + ":" + std::to_string(r[3] - r[1]); };
    auto at = [](const int* r) { return std::to_string(r[0]) + ":" + std::to_string(r[1]); };
    const int* c = kW4Crop;
    command += " -filter_complex \"[0:v]format=bgra,lutrgb=a=255[base];"
               "[1:v]scale=" + size(kW4Places[1]) + ":flags=neighbor,format=bgra,lutrgb=a=192[v1];"
               "[2:v]scale=" + size(kW4Places[2]) + ":flags=neighbor,format=bgra,lutrgb=a=192[v2];"
               "[3:v]crop=" + std::to_string(c[2] - c[0]) + ":" + std::to_string(c[3] - c[1]) + ":" +
               std::to_string(c[0]) + ":" + std::to_string(c[1]) + ",scale=" + size(kW4Places[3]) +
               ":flags=neighbor,format=bgra,lutrgb=a=192[v3];"
               "[base][v1]overlay=" + at(kW4Places[1]) + "[o1];[o1][v2]overlay=" + at(kW4Places[2]) +
               "[o2];[o2][v3]overlay=" + at(kW4Places[3]) + ",format=bgr0[vout];"
               "[4:a]volume=0.8[a0];[5:a]volume=0.6[a1];[6:a]volume=0.5[a2];[7:a]volume=0.4[a3];"
               "[a0][a1][a2][a3]amix=inputs=4:normalize=0[aout]\" -map '[vout]' -map '[aout]'";
    const bool mp4 = output.size() > 4 && output.compare(output.size() - 4, 4, ".mp4") == 0;
    command += mp4 ? " -c:v libx264 -preset veryfast -crf 23 -pix_fmt yuv420p -c:a aac -b:a 128k"
                   : " -c:v ffv1 -c:a flac";
    return command + " '" + output + "'";
}

std::string W1Folder() { return (std::filesystem::temp_directory_path() / "vantrel-w1-bench").string(); }

std::string ProgramPath() {
    char buffer[PATH_MAX] = {};
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return "vantrel";
    return (std::filesystem::path(std::string(buffer, std::size_t(n))).parent_path().parent_path() / "vantrel")
        .string();
}

double ChildCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace vantrel::bench
