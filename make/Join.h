#pragma once
#include <string>
#include <vector>

#include "make/Make.h"

namespace vantrel {

// A chunk carries its place in the whole make in its name:
// STEM.FIRST-ENDofTOTAL.EXT, frames FIRST up to END (excluded) of TOTAL,
// e.g. "film.0-75of225.mkv". The name survives every container (a WAV has
// no tags FFmpeg reads back) and shows at a glance what a folder of chunks
// still lacks.
struct ChunkPlace {
    FrameRange frames;
    int total = 0;
};
// The chunk name for output "dir/film.mkv": "dir/film.0-75of225.mkv"; in
// folder when one is given.
std::string ChunkFileName(const std::string& output, const ChunkPlace& place, const std::string& folder = {});
// False when the name does not carry a place (or an impossible one).
bool ChunkPlaceFromName(const std::string& path, ChunkPlace& place);

// Joins the chunks, given in order, into output without encoding anything
// again: FFmpeg's remuxing for .mkv, .mp4 and .avi, the sample data laid
// end to end for .wav. The chunks must share output's extension and their
// streams' formats, and cover the whole make without a gap or an overlap.
// Any problem leaves output as it was (nothing written) and answers 1 with
// the reason; 0 when output was written, at once and whole (a temporary
// name renamed into place).
int JoinChunks(const std::string& output, const std::vector<std::string>& chunks, std::string& message);

}  // namespace vantrel
