// Chunks of a make and their join: the pieces made apart and joined again
// decode to exactly the single make, and a join that would not is refused
// without leaving a file behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "values/Stream.h"
#include "make/Join.h"
#include "make/Make.h"
#include "plugins/api/PluginTables.h"
#include "tests/compose/Fixtures.h"
#include "tests/make/ChunkProject.h"

namespace vantrel {
namespace {


TEST(MakeChunks, FramesWithinARangeFollowTheWholeMake) {
    // 2000 ms at 15 fps from 130 ms: frame i starts at 2000 * i / 30 + 130.
    EXPECT_EQ(MakeFramesWithin(130, 2000, 30, 130, 2130).first, 0);
    EXPECT_EQ(MakeFramesWithin(130, 2000, 30, 130, 2130).end, 30);
    // Edges between frame times: 196 is frame 1's start, 197 lies after it.
    const FrameRange a = MakeFramesWithin(130, 2000, 30, 0, 197), b = MakeFramesWithin(130, 2000, 30, 197, 9999);
    EXPECT_EQ(a.first, 0);
    EXPECT_EQ(a.end, 2);
    EXPECT_EQ(b.first, 2);
    EXPECT_EQ(b.end, 30);
    EXPECT_EQ(MakeFramesWithin(130, 2000, 30, 196, 197).Count(), 1);
    EXPECT_EQ(MakeFramesWithin(130, 2000, 30, 197, 198).Count(), 0);  // between two frames
    EXPECT_EQ(MakeFramesWithin(130, 2000, 30, 2130, 5000).Count(), 0);
    EXPECT_EQ(MakeFramesWithin(130, 2000, 0, 0, 5000).Count(), 0);
}

TEST(MakeChunks, SplitsIntoEqualWholeFramesNeverUnderASecond) {
    // 10 s at 15 fps: 150 frames, 7 chunks of 22 or 21 frames.
    const std::vector<MakeChunk> seven = SplitMake(0, 10000, 150, 7);
    ASSERT_EQ(seven.size(), 7u);
    int next = 0;
    for (const MakeChunk& chunk : seven) {
        EXPECT_EQ(chunk.frames.first, next);
        EXPECT_TRUE(chunk.frames.Count() == 22 || chunk.frames.Count() == 21);
        EXPECT_EQ(MakeFramesWithin(0, 10000, 150, chunk.fromMs, chunk.toMs).first, chunk.frames.first);
        EXPECT_EQ(MakeFramesWithin(0, 10000, 150, chunk.fromMs, chunk.toMs).end, chunk.frames.end);
        next = chunk.frames.end;
    }
    EXPECT_EQ(next, 150);
    EXPECT_EQ(seven.back().toMs, 10000);
    // 2.5 s cannot give four chunks of a second: two.
    EXPECT_EQ(SplitMake(0, 2500, 37, 4).size(), 2u);
    // Shorter than a second: one chunk, whatever was asked.
    ASSERT_EQ(SplitMake(500, 600, 9, 8).size(), 1u);
    EXPECT_EQ(SplitMake(500, 600, 9, 8)[0].toMs, 1100);
    EXPECT_TRUE(SplitMake(0, 50, 0, 4).empty());
}

TEST(MakeChunks, ChunkNamesCarryTheirPlace) {
    const ChunkPlace place{{75, 150}, 225};
    const std::string name = ChunkFileName("/a/b.c/film.mkv", place);
    EXPECT_EQ(name, "/a/b.c/film.75-150of225.mkv");
    EXPECT_EQ(ChunkFileName("/a/film.mkv", place, "/x/chunks"), "/x/chunks/film.75-150of225.mkv");
    ChunkPlace read;
    ASSERT_TRUE(ChunkPlaceFromName(name, read));
    EXPECT_EQ(read.frames.first, 75);
    EXPECT_EQ(read.frames.end, 150);
    EXPECT_EQ(read.total, 225);
    for (const char* wrong : {"/a/film.mkv", "/a/film.75-150.mkv", "/a/film.150-75of225.mkv", "/a/film.0-300of225.mkv",
                              "/a/film.-1-5of9.mkv", "/a/film.1-2of3x.mkv", "/a.0-1of2/film.mkv"})
        EXPECT_FALSE(ChunkPlaceFromName(wrong, read)) << wrong;
}

class Chunks : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testing::HaveFfmpegCommand()) GTEST_SKIP() << "no ffmpeg command line";
        ASSERT_TRUE(plugins.Load(std::string(VANTREL_PROGRAM_DIR) + "/plugins/basalt.so"));
    }
    std::string WriteProject(int frameRateId, std::int32_t makeStart, std::int32_t makeEnd) {
        return testing::WriteChunkProject(folder, frameRateId, makeStart, makeEnd);
    }
    std::vector<std::uint8_t> Decoded(const std::string& media, const char* what) {
        return testing::DecodedMedia(media, what[0]);
    }
    // Makes the chunks between the edges (ms) and joins them into out.
    void MakeAndJoin(const std::string& project, const std::vector<std::int64_t>& edges, const std::string& out) {
        std::vector<std::string> chunks;
        for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
            const std::string temporary = folder.File("piece" + std::filesystem::path(out).extension().string());
            FrameRange made;
            std::string message;
            ASSERT_EQ(MakeBatchWith(plugins, project, temporary, message, nullptr, {}, TimeRange{edges[i], edges[i + 1]},
                                    &made),
                      0)
                << message;
            chunks.push_back(ChunkFileName(out, {made, total}));
            std::filesystem::rename(temporary, chunks.back());
        }
        std::string message;
        ASSERT_EQ(JoinChunks(out, chunks, message), 0) << message;
    }
    testing::TempFolder folder;
    PluginTables plugins;
    int total = 0;
};

TEST_F(Chunks, JoinedLosslessChunksEqualTheSingleMake) {
    struct Case {
        int rateId;
        std::int32_t start, end;
        int frames;
    } cases[] = {{133, 0, 2000, 20}, {134, 130, 2530, 36}};  // 10 fps; 15 fps from 130 ms
    for (const Case& c : cases) {
        const std::string project = WriteProject(c.rateId, c.start, c.end);
        total = c.frames;
        for (const char* extension : {".mkv", ".wav"}) {
            const std::string whole = folder.File(std::string("whole") + extension);
            std::string message;
            ASSERT_EQ(MakeBatchWith(plugins, project, whole, message, nullptr), 0) << message;
            const bool video = extension == std::string(".mkv");
            const std::vector<std::uint8_t> pictures = video ? Decoded(whole, "v") : std::vector<std::uint8_t>();
            const std::vector<std::uint8_t> samples = Decoded(whole, "a");
            ASSERT_EQ(pictures.size(), video ? std::size_t(c.frames) * 176 * 144 * 3 : 0u);
            for (int n : {1, 2, 3, 7}) {
                // N pieces whose edges fall 7 ms after a whole division of
                // the range, mostly between two frame times.
                std::vector<std::int64_t> edges{c.start};
                for (int k = 1; k < n; ++k) edges.push_back(c.start + (c.end - c.start) * k / n + 7);
                edges.push_back(c.end);
                const std::string joined = folder.File("joined" + std::to_string(n) + extension);
                ASSERT_NO_FATAL_FAILURE(MakeAndJoin(project, edges, joined));
                SCOPED_TRACE(joined);
                if (video) {
                    EXPECT_TRUE(Decoded(joined, "v") == pictures);
                }
                EXPECT_TRUE(Decoded(joined, "a") == samples);
            }
        }
    }
}

// H.264 + AAC cannot be cut exactly, but every chunk starts with a key
// frame, the frames all arrive, and the AAC encoder's delay is not added at
// the seams (the sound would slip by 1024 samples at each).
TEST_F(Chunks, Mp4ChunksStartWithAKeyFrameAndKeepTheSoundInStep) {
    const std::string project = WriteProject(134, 0, 3000);  // 45 frames at 15 fps
    total = 45;
    const std::string whole = folder.File("whole.mp4"), joined = folder.File("joined.mp4");
    std::string message;
    ASSERT_EQ(MakeBatchWith(plugins, project, whole, message, nullptr), 0) << message;
    ASSERT_NO_FATAL_FAILURE(MakeAndJoin(project, {0, 1000, 2000, 3000}, joined));
    std::string said;
    const std::string probe = "ffprobe -v error -select_streams v -show_entries packet=flags -of csv=p=0 '" +
                              folder.File("joined.15-30of45.mp4") + "' > '" + folder.File("flags") + "'";
    ASSERT_EQ(std::system(probe.c_str()), 0);
    std::ifstream flags(folder.File("flags"));
    std::getline(flags, said);
    EXPECT_EQ(said.substr(0, 1), "K");
    EXPECT_EQ(Decoded(joined, "v").size(), 45u * 176 * 144 * 3);
    const double wholeSamples = double(Decoded(whole, "a").size()) / 4;
    EXPECT_NEAR(double(Decoded(joined, "a").size()) / 4, wholeSamples, 2 * 1024);
}

TEST_F(Chunks, AJoinThatWouldNotBeWholeWritesNothing) {
    const std::string project = WriteProject(133, 0, 3000);  // 30 frames at 10 fps
    total = 30;
    std::vector<std::string> mkv, wav;
    std::string message;
    for (const std::string extension : {".mkv", ".wav"}) {
        std::vector<std::string>& list = extension == ".mkv" ? mkv : wav;
        for (const auto& [from, to] : {std::pair{0, 1000}, {1000, 2000}, {2000, 3000}, {1500, 2500}}) {
            FrameRange made;
            const std::string piece = folder.File("piece" + extension);
            ASSERT_EQ(MakeBatchWith(plugins, project, piece, message, nullptr, {}, TimeRange{from, to}, &made), 0)
                << message;
            list.push_back(ChunkFileName(folder.File("out" + extension), {made, 30}));
            std::filesystem::rename(piece, list.back());
        }
    }
    const std::string out = folder.File("out.mkv");
    const struct {
        std::vector<std::string> chunks;
        const char* says;
    } refused[] = {
        {{mkv[0], mkv[2]}, "missing"},           // a gap
        {{mkv[0], mkv[1]}, "missing after"},     // the last one missing
        {{mkv[1], mkv[2]}, "missing before"},    // the first one missing
        {{mkv[0], mkv[1], mkv[3]}, "overlaps"},  // an overlap
        {{mkv[0], mkv[2], mkv[1]}, "order"},     // reordered
        {{mkv[0], wav[1], mkv[2]}, "not a .mkv"},
        {{mkv[0], folder.File("out.10-20of30.mkv.gone/out.10-20of30.mkv"), mkv[2]}, "does not exist"},
    };
    for (const auto& r : refused) {
        EXPECT_EQ(JoinChunks(out, r.chunks, message), 1);
        EXPECT_NE(message.find(r.says), std::string::npos) << message;
    }
    // A chunk of another make: the size differs though the name fits.
    const std::string other = testing::WriteChunkProject(folder, 133, 0, 3000, 640);
    FrameRange made;
    const std::string foreign = folder.File("foreign/out.10-20of30.mkv");
    std::filesystem::create_directory(folder.File("foreign"));
    ASSERT_EQ(MakeBatchWith(plugins, other, foreign, message, nullptr, {}, TimeRange{1000, 2000}, &made), 0) << message;
    EXPECT_EQ(JoinChunks(out, {mkv[0], foreign, mkv[2]}, message), 1);
    EXPECT_NE(message.find("picture size"), std::string::npos) << message;

    // Nothing was left: neither the output nor a half-written one.
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with("out.mkv") ||
                     entry.path().filename().string().starts_with(".out"))
            << entry.path();
    EXPECT_FALSE(std::filesystem::exists(out));
    // The same chunks in order do join.
    EXPECT_EQ(JoinChunks(out, {mkv[0], mkv[1], mkv[2]}, message), 0) << message;
    EXPECT_EQ(JoinChunks(folder.File("out.wav"), {wav[0], wav[1], wav[2]}, message), 0) << message;
}

TEST_F(Chunks, ARangeWithoutAFrameFailsAndLeavesNoFile) {
    const std::string project = WriteProject(133, 0, 2000);
    std::string message;
    const std::string out = folder.File("none.mkv");
    EXPECT_EQ(MakeBatchWith(plugins, project, out, message, nullptr, {}, TimeRange{2000, 4000}), 1);
    EXPECT_NE(message.find("no frame"), std::string::npos) << message;
    EXPECT_EQ(MakeBatchWith(plugins, project, out, message, nullptr, {}, TimeRange{101, 199}), 1);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) ++files;
    EXPECT_EQ(files, 3u);  // the project and its two media
}

// A whole make is written the same way: one that makes no frame (an empty
// make strip, as a new project has) leaves nothing behind and keeps a file
// already under the name as it was.
TEST_F(Chunks, AMakeOfNoFrameLeavesAnExistingFileAsItWas) {
    const std::string project = WriteProject(134, 1000, 1000);
    const std::string out = folder.File("kept.mkv");
    { std::ofstream(out) << "earlier make"; }
    std::string message;
    EXPECT_EQ(MakeBatchWith(plugins, project, out, message, nullptr), 1);
    std::ifstream in(out);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "earlier make");
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) ++files;
    EXPECT_EQ(files, 4u);  // the project, its two media and the earlier file
}

}  // namespace
}  // namespace vantrel
