#pragma once
// The LZRW1/KH block codec of the tally file. One block holds one chunk of at most 32,768 bytes:
//
//   byte 0       0x80: the rest is the chunk as is; anything else (0x40 when written): compressed
//   compressed   groups of a 16-bit control word (high byte first) and up to 16 items, one per
//                bit from the most significant down; the last word is padded with 0 bits.
//     bit 0      a literal byte
//     bit 1      b0 b1, d = b0 * 16 + (b1 >> 4):
//                  d != 0  copy (b1 & 15) + 3 bytes from d bytes back in this block's output
//                  d == 0  run item 0 h l c: byte c repeated h * 256 + l + 16 times
//
// A block shorter than 2 bytes expands to nothing. The compressor stores a chunk as is exactly
// when the compressed form would be longer than the chunk, so a block is never longer than the
// chunk plus one byte.

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace zb::lzrw1kh {

inline constexpr qsizetype kChunk = 32768;
inline constexpr qsizetype kMaxBlock = kChunk + 1;
inline constexpr std::uint8_t kFlagCompressed = 0x40;
inline constexpr std::uint8_t kFlagStored = 0x80;

// Room the compressor needs in dst for a chunk of n bytes: it overshoots by a few bytes before it
// notices that the compressed form is too long.
constexpr qsizetype compressCapacity(qsizetype n) {
    return n + 8;
}

// Compresses src[0..n) (n <= kChunk) into dst, which holds compressCapacity(n) bytes. Returns the
// block's length (at most n + 1).
qsizetype compress(const std::uint8_t* src, qsizetype n, std::uint8_t* dst);

// Expands one block into dst, which holds kChunk bytes. Returns the number of bytes written, or
// -1 for a corrupt block: a truncated item or control word, a copy reaching before the start of
// the block's output, a run longer than 4,095, or output past the chunk. Never reads or writes
// outside the two buffers.
qsizetype expand(const std::uint8_t* src, qsizetype n, std::uint8_t* dst);

// The same over byte arrays. expandBlock returns false for a corrupt block.
QByteArray compressBlock(QByteArrayView chunk);
bool expandBlock(QByteArrayView block, QByteArray& out);

} // namespace zb::lzrw1kh
