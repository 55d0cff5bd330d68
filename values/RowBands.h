#pragma once
// Work on a picture cut into bands of rows that run side by side on every
// core. The bands are independent: each call writes only its own rows, so
// the result is the same however the rows are cut.
#include <functional>

namespace vantrel {

// Calls band(first, end) over [begin, end) in contiguous bands, one per
// core that is free to take it, and returns when all are done. Runs in one
// call on the caller's thread when the rows hold fewer than minPixels
// pixels (width × rows) in all, when only one core may be used, when
// called from inside a band, or while another thread's bands are running.
void ForRowBands(int begin, int end, int width, const std::function<void(int first, int end)>& band,
                 long minPixels = 64 * 1024);

// The number of bands ForRowBands cuts into at most (the usable cores).
int RowBandCount();

}  // namespace vantrel
