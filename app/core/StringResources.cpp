#include "app/core/StringTable.h"

namespace vantrel {

namespace {
// The resource string table: id -> text exactly as the system shows it.
constexpr StringResource kStrings[] = {
    {25, "Open Project"},
    {26, "Save Project"},
    {27, "Save As"},
    {220, "Done!"},
    {302, "Question"},
    {411, "Unable to run Vantrel Media Compositor. \nExiting Now!"},
    {590, "Error"},
};
}  // namespace

std::span<const StringResource> StringResources() { return kStrings; }

}  // namespace vantrel
