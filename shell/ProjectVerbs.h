#pragma once
#include <span>
#include <string>

#include "shell/Batch.h"

namespace vantrel {

// "--make FILE.kwp OUTPUT": the format follows OUTPUT's extension.
int MakeVerb(const BatchContext& context, std::span<const std::string> args);
// "--join OUT CHUNK...": the chunks of a make joined without encoding again.
int JoinVerb(const BatchContext& context, std::span<const std::string> args);
// "--cluster slurm FILE.kwp OUT --chunks N [--partition P] [--sbatch-arg ARG]...
// [--wait] [--resume]": the make in chunks on a Slurm cluster, then joined.
int ClusterVerb(const BatchContext& context, std::span<const std::string> args);
// "--picture FILE.kwp TIME_MS OUT.bmp": the composite picture as a BMP.
int PictureVerb(const BatchContext& context, std::span<const std::string> args);
// "--info MEDIA": the "Clip Info" text of a media file on standard output.
int InfoVerb(const BatchContext& context, std::span<const std::string> args);
// "--save-as FILE.kwp OUT.kwp".
int SaveAsVerb(const BatchContext& context, std::span<const std::string> args);
// "--script SCRIPT.vrm [FILE.kwp] [--save-as OUT.kwp] [--timeout SECONDS]".
int ScriptVerb(const BatchContext& context, std::span<const std::string> args);

}  // namespace vantrel
