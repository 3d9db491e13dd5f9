#pragma once
// The tally file zorbinettally.tld:
//
//   offset 0   4 bytes "WRZL"
//   offset 4   length of the uncompressed text, 32-bit little-endian
//   offset 8   blocks: a 2-byte little-endian block length L, then L bytes of one LZRW1/KH block
//
// The text is cut into chunks of 32,768 bytes, each compressed into one block; the writer stops
// after the first chunk shorter than that, so a text whose length is a multiple of 32,768 ends
// with the block of an empty chunk (the single byte 0x80). The reader takes blocks until one
// expands to less than a whole chunk and then requires the total to equal the stored length.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zb::tallyfile {

// The largest text the reader accepts, and so what decoding a file may cost. The largest table
// the tally reads (QuonStrgrid::kMaxRows opponents, names of up to QuonStrgrid::kMaxNameLength
// characters, every count at its longest) is about 2 MiB of text; the limit leaves room for
// tallies written before names were cut, and keeps a hostile file, whose few kilobytes can
// expand a thousandfold, from costing more than a few megabytes.
inline constexpr qsizetype kMaxText = 4 * 1024 * 1024;

QByteArray encode(QByteArrayView text);

struct Decoded {
    QByteArray text;
    QString error; // empty when the file was read
    bool ok() const { return error.isEmpty(); }
};

// fileName only goes into the header error's text.
Decoded decode(QByteArrayView file, const QString& fileName);

// The error texts the reader gives.
QString headerError(const QString& fileName);
QString lzhError(const QString& fileName);
QString sizeError();
QString corruptError();
QString tooLargeError();

} // namespace zb::tallyfile
