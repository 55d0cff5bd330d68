#pragma once
#include <functional>
#include <memory>

#include "items/ResultFlags.h"

namespace vantrel {

class Clip;
class MenuList;
class Variable;

// The envelope strip commands of an audio clip's menu: "Get Audio
// Envelope", "Invert", "Full Range", the three releases, "To Clip Strip"
// and "From Clip Strip". The strip and its operations belong to the
// composition library, which the program hands to the root with its
// options; without them no entry is offered.
enum EnvelopeCommand : int {
    kGetAudioEnvelope = 764,
    kInvertEnvelope,
    kFullRangeEnvelope,
    kForwardRelease,
    kBackwardRelease,
    kBidirectionalRelease,
    kToClipStrip,
    kFromClipStrip,
};

struct EnvelopeOperations {
    // Runs one command on the child's arrangement strip; `variable` is the
    // child's current variable (for the strip transfers; may be null) and
    // `releaseMs` the release time. False when nothing was done.
    std::function<bool(int command, Clip& arrangement, Clip& child, Variable* variable, double releaseMs)> run;
};

// The release time when a release is chosen without a drag to measure.
constexpr double kDefaultReleaseMs = 500;

// An "Envelope" submenu for a child with audio inside an arrangement;
// null when the child offers none or there are no operations.
std::shared_ptr<MenuList> EnvelopeSubmenu(const EnvelopeOperations& operations, const Clip& child);
// Runs a chosen entry: kChanged | kRepaint when done, 0 otherwise.
ResultFlags RunEnvelopeCommand(const EnvelopeOperations& operations, int command, Clip& child, Variable* variable,
                               double releaseMs = kDefaultReleaseMs);
bool IsEnvelopeCommand(int command);

}  // namespace vantrel
