#pragma once
// Decoding the download window's JPEG with libjpeg's C API. libjpeg's default error handler ends
// the process; ours jumps back out of the decoder instead, so no file, however damaged, can end or
// crash the program. Anything libjpeg only warns about (a truncated file, corrupt data it patched
// over) counts as damage too: the caller gets a null image and shows nothing rather than a
// half-grey picture.

#include <QByteArrayView>
#include <QImage>

namespace zb {

// Pictures larger than this many pixels are refused before any pixel memory is taken.
inline constexpr qint64 kMaxJpegPixels = qint64(16) * 1024 * 1024;

// The picture in data, or a null QImage when data is no complete, undamaged JPEG.
QImage decodeJpeg(QByteArrayView data);

} // namespace zb
