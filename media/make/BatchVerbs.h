#pragma once
#include <span>
#include <string>

#include "app/shell/Batch.h"

namespace vantrel {

// "--make FILE.kwp OUTPUT" and "--picture FILE.kwp TIME_MS OUT.bmp" as rows
// of the batch command line: exit status 0 or 1, the reason on the error
// stream.
int MakeVerb(const BatchContext& context, std::span<const std::string> args);
int PictureVerb(const BatchContext& context, std::span<const std::string> args);

}  // namespace vantrel
