#pragma once
#include "platform/TextRenderer.h"

namespace vantrel {

// Text for the picture generators, drawn with Qt's fonts and no
// anti-aliasing. Needs the Qt application object; without one nothing is
// drawn and extents are zero.
class QtTextRenderer final : public TextRenderer {
public:
    int PixelsPerInch() const override;
    bool DrawLine(Surface& target, const Rect& rect, const std::string& text, const TextFont& font,
                  Colour colour) override;
    TextSize Extent(const std::string& text, const TextFont& font) override;
};

// Installs one process-wide QtTextRenderer as the text renderer (once the
// application object exists); answers it.
TextRenderer* InstallQtTextRenderer();

}  // namespace vantrel
