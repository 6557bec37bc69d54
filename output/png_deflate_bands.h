#pragma once
// The pixel data of an 8-bit RGB PNG (its rows filtered, then deflated into one zlib stream),
// made in bands of rows on the work threads. Each band is deflated on its own, with the 32 KiB
// of data before it as its dictionary, and ends on a byte boundary; the bands then join into one
// stream that is hardly larger than one deflated in a single piece. Bands are cut by rows and
// bytes alone, so the stream is the same for any thread count.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace quilmo {

// The filtered bytes of one band: enough to share a picture among threads, few enough that a
// band's dictionary costs little.
inline constexpr size_t kPngBandBytes = size_t{1} << 20;

// Puts row y as the file holds it (red, green, blue) into row.
using TPngRowReader = std::function<void(int32_t y, uint8_t* row)>;

struct TPngPixels {
    int32_t Width = 0;
    int32_t Height = 0;
    // One reader for each thread; a reader may wait until its rows are final.
    std::function<TPngRowReader()> NewReader;
};

// Hands the zlib stream of pixels to write in pieces, in order, each as soon as it and those
// before it are deflated; only a few bands a thread are held meanwhile. A band holds the rows
// whose filtered bytes fit in bandBytes, at least one. The first error (of a reader or of
// write) is raised once every thread has stopped.
void DeflatePngPixels(const TPngPixels& pixels, const std::function<void(std::span<const uint8_t>)>& write,
                      size_t bandBytes = kPngBandBytes);

}  // namespace quilmo
