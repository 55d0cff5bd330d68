#pragma once
#include <string>

#include "model/clips/Clip.h"

namespace vantrel::bench {

// Lays count clips out on tracks rows of an arrangement, each lengthMs long
// with gapMs between neighbours, named "Clip N"; the arrangement is sized
// to hold them. Text clips unless media files are given (then taken in turn).
inline void FillArrangement(Clip& arrangement, int count, int tracks, std::int32_t lengthMs, std::int32_t gapMs,
                            const std::vector<std::string>& media = {}) {
    std::int32_t end = 0;
    for (int i = 0; i < count; ++i) {
        Clip* clip = media.empty() ? arrangement.NewChildClip(kTextStringType)
                                   : arrangement.ImportMedia(media[std::size_t(i) % media.size()]);
        if (!clip) continue;
        const int column = i / tracks;
        clip->SetPosition(column * (lengthMs + gapMs));
        clip->SetSize(std::min(lengthMs, clip->MediaLength() > 0 ? clip->MediaLength() : lengthMs));
        clip->SetTrack(i % tracks);
        if (media.empty()) clip->SetName("Clip " + std::to_string(i + 1));
        end = std::max(end, clip->GetPosition() + clip->Length());
    }
    arrangement.SetSize(end + gapMs);
    arrangement.SetView(0, end + gapMs);
    arrangement.SetMakeRange(0, end);
}

}  // namespace vantrel::bench
