#include "tallyfile.h"

#include "lzrw1kh.h"

#include <algorithm>

#include <cstdint>

namespace zb::tallyfile {
namespace {

constexpr char kMagic[] = "WRZL";
// The identifier of the compressor's other block method (LZH), which this program never writes.
constexpr char kLzhMagic[] = "!HZL";
constexpr qsizetype kHeader = 8;

std::uint32_t readLe(QByteArrayView data, qsizetype at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | std::uint8_t(data[at + i]);
    return value;
}

void appendLe(QByteArray& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> (8 * i)));
}

} // namespace

QString headerError(const QString& fileName) {
    return fileName + QStringLiteral(" : Lzrw1 decompression : this file has no valid header !");
}
QString lzhError(const QString& fileName) {
    return fileName +
           QStringLiteral(" : Lzrw1 decompression : LZH compressed files are not supported !");
}
QString sizeError() {
    return QStringLiteral(
        "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
}
QString corruptError() {
    return QStringLiteral("Lzrw1 (decompression LZRW1/KH) : a compressed block is corrupt !");
}
QString tooLargeError() {
    return QStringLiteral("Lzrw1 (decompression LZRW1/KH) : the original size is too large !");
}

QByteArray encode(QByteArrayView text) {
    QByteArray out;
    // Blocks are never longer than their chunk plus three bytes of length and flag.
    out.reserve(kHeader + text.size() + (text.size() / lzrw1kh::kChunk + 1) * 3);
    out.append(kMagic, 4);
    appendLe(out, std::uint32_t(text.size()), 4);
    QByteArray block(lzrw1kh::compressCapacity(lzrw1kh::kChunk), Qt::Uninitialized);
    auto* dst = reinterpret_cast<std::uint8_t*>(block.data());
    qsizetype at = 0;
    for (;;) {
        const qsizetype n = std::min(lzrw1kh::kChunk, text.size() - at);
        const qsizetype size =
            lzrw1kh::compress(reinterpret_cast<const std::uint8_t*>(text.data()) + at, n, dst);
        appendLe(out, std::uint32_t(size), 2);
        out.append(block.constData(), size);
        at += n;
        if (n < lzrw1kh::kChunk)
            break;
    }
    return out;
}

Decoded decode(QByteArrayView file, const QString& fileName) {
    Decoded result;
    if (file.size() >= 4 && file.first(4) == QByteArrayView(kLzhMagic, 4)) {
        result.error = lzhError(fileName);
        return result;
    }
    if (file.size() < 4 || file.first(4) != QByteArrayView(kMagic, 4)) {
        result.error = headerError(fileName);
        return result;
    }
    if (file.size() < kHeader) {
        result.error = sizeError();
        return result;
    }
    const std::uint32_t length = readLe(file, 4, 4);
    if (length > std::uint32_t(kMaxText)) {
        result.error = tooLargeError();
        return result;
    }
    // Each block adds at most a chunk, and the total may not pass the stored length, so the text
    // never grows beyond the bound checked above.
    result.text.reserve(qsizetype(length));
    QByteArray chunk(lzrw1kh::kChunk, Qt::Uninitialized);
    auto* dst = reinterpret_cast<std::uint8_t*>(chunk.data());
    qsizetype at = kHeader;
    for (;;) {
        if (file.size() - at < 2) {
            result.error = sizeError();
            break;
        }
        const qsizetype blockSize = qsizetype(readLe(file, at, 2));
        at += 2;
        if (file.size() - at < blockSize) {
            result.error = sizeError();
            break;
        }
        const qsizetype got = lzrw1kh::expand(
            reinterpret_cast<const std::uint8_t*>(file.data()) + at, blockSize, dst);
        at += blockSize;
        if (got < 0) {
            result.error = corruptError();
            break;
        }
        if (result.text.size() + got > qsizetype(length)) {
            result.error = sizeError();
            break;
        }
        result.text.append(chunk.constData(), got);
        if (got < lzrw1kh::kChunk)
            break;
    }
    if (result.ok() && result.text.size() != qsizetype(length))
        result.error = sizeError();
    if (!result.ok())
        result.text.clear();
    return result;
}

} // namespace zb::tallyfile
