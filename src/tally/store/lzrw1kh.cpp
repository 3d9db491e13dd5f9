#include "lzrw1kh.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zb::lzrw1kh {
namespace {

constexpr qsizetype kMaxRun = 4095;
constexpr qsizetype kMinRun = 16;
constexpr qsizetype kMaxCopy = 18;
constexpr qsizetype kMinCopy = 3;
constexpr qsizetype kWindow = 4096;
constexpr std::uint32_t kHashFactor = 40543;
constexpr std::int32_t kEmpty = -2 * kWindow;

inline unsigned hashAt(const std::uint8_t* p) {
    const std::uint32_t key = ((((std::uint32_t(p[0]) << 4) ^ p[1]) << 4) ^ p[2]);
    return ((key * kHashFactor) >> 4) & 0x0FFF;
}

} // namespace

qsizetype compress(const std::uint8_t* src, qsizetype n, std::uint8_t* dst) {
    // Positions last seen per hash. "Empty" is a position so far back that it is never within
    // the window, which leaves one comparison where there would be two.
    std::array<std::int32_t, 4096> table;
    table.fill(kEmpty);

    dst[0] = kFlagCompressed;
    qsizetype x = 0;       // next input byte
    qsizetype y = 3;       // next output byte
    qsizetype control = 1; // where the current control word goes
    std::uint32_t command = 0;
    int bit = 0;
    // An empty chunk still takes one turn, which makes it a stored block of the flag alone.
    do {
        if (bit > 15) {
            dst[control] = std::uint8_t(command >> 8);
            dst[control + 1] = std::uint8_t(command);
            control = y;
            y += 2;
            bit = 0;
            command = 0;
        }
        const std::uint8_t c = x < n ? src[x] : 0;
        qsizetype run = 1;
        const qsizetype runEnd = std::min(n, x + kMaxRun);
        while (x + run < runEnd && src[x + run] == c)
            ++run;
        if (run >= kMinRun) {
            const qsizetype count = run - kMinRun;
            dst[y] = 0;
            dst[y + 1] = std::uint8_t(count >> 8);
            dst[y + 2] = std::uint8_t(count);
            dst[y + 3] = c;
            y += 4;
            x += run;
            command = (command << 1) | 1;
        } else {
            qsizetype length = 0;
            qsizetype back = 0;
            // With fewer than three bytes left no match can reach three bytes.
            if (x + kMinCopy <= n) {
                const unsigned h = hashAt(src + x);
                const qsizetype seen = table[h];
                table[h] = std::int32_t(x);
                // Decided without a jump: on bytes that do not repeat, whether the last position
                // is inside the window is a coin toss the branch predictor would lose.
                const std::size_t near = std::size_t(x - seen) < std::size_t(kWindow);
                const qsizetype from = x ^ ((seen ^ x) & -qsizetype(near));
                if ((near & std::size_t(src[from] == c)) != 0) {
                    const qsizetype limit = std::min(kMaxCopy, n - x);
                    const std::uint8_t* a = src + x;
                    const std::uint8_t* b = src + from;
                    while (length < limit && a[length] == b[length])
                        ++length;
                    back = x - from;
                }
            }
            if (length >= kMinCopy) {
                const unsigned key = unsigned(back << 4) + unsigned(length - kMinCopy);
                dst[y] = std::uint8_t(key >> 8);
                dst[y + 1] = std::uint8_t(key);
                y += 2;
                x += length;
                command = (command << 1) | 1;
            } else {
                dst[y++] = c;
                ++x;
                command <<= 1;
            }
        }
        ++bit;
    } while (x < n && y <= n);

    command <<= (16 - bit);
    dst[control] = std::uint8_t(command >> 8);
    dst[control + 1] = std::uint8_t(command);
    if (y > n) {
        dst[0] = kFlagStored;
        if (n > 0)
            std::memcpy(dst + 1, src, std::size_t(n));
        y = n + 1;
    }
    return y;
}

qsizetype expand(const std::uint8_t* src, qsizetype n, std::uint8_t* dst) {
    if (n < 2)
        return 0;
    if (src[0] == kFlagStored) {
        if (n - 1 > kChunk)
            return -1;
        std::memcpy(dst, src + 1, std::size_t(n - 1));
        return n - 1;
    }
    if (n < 3)
        return -1;
    std::uint32_t command = (std::uint32_t(src[1]) << 8) | src[2];
    int bit = 16;
    qsizetype x = 3;
    qsizetype y = 0;
    while (x < n) {
        if (bit == 0) {
            // A control word must be whole and followed by at least one item.
            if (x + 2 >= n)
                return -1;
            command = (std::uint32_t(src[x]) << 8) | src[x + 1];
            bit = 16;
            x += 2;
        }
        if ((command & 0x8000) == 0) {
            if (y >= kChunk)
                return -1;
            dst[y++] = src[x++];
        } else {
            if (x + 2 > n)
                return -1;
            const qsizetype back = (qsizetype(src[x]) << 4) | (src[x + 1] >> 4);
            if (back == 0) {
                if (x + 4 > n)
                    return -1;
                // b1 < 16 here, so the count is h * 256 + l with h = b1.
                const qsizetype count = ((qsizetype(src[x + 1]) << 8) | src[x + 2]) + kMinRun;
                if (count > kMaxRun || count > kChunk - y)
                    return -1;
                std::memset(dst + y, src[x + 3], std::size_t(count));
                x += 4;
                y += count;
            } else {
                const qsizetype length = (src[x + 1] & 0x0F) + kMinCopy;
                if (back > y || length > kChunk - y)
                    return -1;
                std::uint8_t* out = dst + y;
                const std::uint8_t* from = out - back;
                if (back >= length) {
                    std::memcpy(out, from, std::size_t(length));
                } else {
                    // Overlapping copy: each byte may be one this item just wrote.
                    for (qsizetype k = 0; k < length; ++k)
                        out[k] = from[k];
                }
                x += 2;
                y += length;
            }
        }
        command <<= 1;
        --bit;
    }
    return y;
}

QByteArray compressBlock(QByteArrayView chunk) {
    const qsizetype n = std::min(chunk.size(), kChunk);
    QByteArray block(compressCapacity(n), Qt::Uninitialized);
    const qsizetype size = compress(reinterpret_cast<const std::uint8_t*>(chunk.data()), n,
                                    reinterpret_cast<std::uint8_t*>(block.data()));
    block.truncate(size);
    return block;
}

bool expandBlock(QByteArrayView block, QByteArray& out) {
    out.resize(kChunk);
    const qsizetype size = expand(reinterpret_cast<const std::uint8_t*>(block.data()), block.size(),
                                  reinterpret_cast<std::uint8_t*>(out.data()));
    if (size < 0) {
        out.clear();
        return false;
    }
    out.truncate(size);
    return true;
}

} // namespace zb::lzrw1kh
