#pragma once
#include <cstdint>

namespace vantrel {

class Clip;
class Variable;

// The envelope strip of an arrangement: one keyed variable of its own that
// "Get Audio Envelope" fills and the strip commands shape. Null when the
// arrangement has no composition state yet (it is made on demand).
Variable* EnvelopeStrip(const Clip& arrangement);

// Every key value v becomes maximum - (v - minimum).
void InvertKeys(Variable& strip);
// Rescales the key values from [lowest, highest] to [minimum, maximum];
// false (nothing changed) unless highest > lowest.
bool FullRange(Variable& strip);
// Each key (after the first) falls at most (maximum - minimum) per r ms
// below the one before it; Backward works from the last key toward the
// first. Nothing happens for r <= 0.
void ForwardRelease(Variable& strip, double releaseMs);
void BackwardRelease(Variable& strip, double releaseMs);
void BidirectionalRelease(Variable& strip, double releaseMs);
// The release time of a mouse drag: distance * view span / window width.
double ReleaseTime(int distancePx, std::int32_t viewSpanMs, int windowWidthPx);

// "To Clip Strip": the strip's keys become the child variable's keys
// shifted by d = the arrangement's time - the child's local time (keys
// before 0 dropped), rescaled from the variable's range to the strip's.
// "From Clip Strip" is the reverse. False when a range is empty.
bool ToClipStrip(const Clip& arrangement, const Clip& child, const Variable& variable, Variable& strip);
bool FromClipStrip(const Clip& arrangement, const Clip& child, const Variable& strip, Variable& variable);

// The peak of every 15 ms of the child's span as keys of `target`, from
// the arrangement's mix. False when the child has no audio.
bool GetAudioEnvelope(Clip& arrangement, Clip& child, Variable& target);

}  // namespace vantrel
