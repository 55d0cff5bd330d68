#include "items/ProgramContext.h"

namespace vantrel {

namespace {
ProgramContext& ProgramsOwn() {
    static ProgramContext context;
    return context;
}
// The worker reads through the context too (status texts), so the pointer
// is swapped atomically; what it points to is only set up before use.
std::atomic<ProgramContext*>& InForce() {
    static std::atomic<ProgramContext*> current{&ProgramsOwn()};
    return current;
}
}  // namespace

ProgramContext& Context() { return *InForce().load(std::memory_order_acquire); }

ScopedProgramContext::ScopedProgramContext(ProgramContext& context)
    : previous_(InForce().exchange(&context, std::memory_order_acq_rel)) {}

ScopedProgramContext::~ScopedProgramContext() { InForce().store(previous_, std::memory_order_release); }

}  // namespace vantrel
