#include "quonstrgrid.h"

#include <algorithm>

namespace zb {
namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// Lines cut one at a time from the front of the text; a last line may lack its line end.
class LineReader {
public:
    explicit LineReader(QByteArrayView text) : text_(text) {}

    bool next(QByteArrayView& line) {
        if (at_ >= text_.size())
            return false;
        qsizetype end = text_.indexOf('\n', at_);
        const qsizetype stop = end < 0 ? text_.size() : end;
        line = text_.sliced(at_, stop - at_);
        if (line.endsWith('\r'))
            line.chop(1);
        at_ = end < 0 ? text_.size() : end + 1;
        return true;
    }

    // Lines still to come, counted without cutting them.
    qsizetype remaining() const {
        if (at_ >= text_.size())
            return 0;
        const QByteArrayView rest = text_.sliced(at_);
        return rest.count('\n') + (rest.endsWith('\n') ? 0 : 1);
    }

private:
    QByteArrayView text_;
    qsizetype at_ = 0;
};

// A count: decimal digits with optional blanks around them, at most nine digits.
int readCount(QByteArrayView line) {
    const QByteArrayView digits = line.trimmed();
    if (digits.isEmpty() || digits.size() > 9)
        return -1;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

QString QuonStrgrid::endOfFileError() {
    return QStringLiteral("Read beyond end of file");
}
QString QuonStrgrid::numberError() {
    return QStringLiteral("Invalid numeric input");
}
QString QuonStrgrid::columnsError() {
    return QStringLiteral("The tally table does not have 9 columns");
}
QString QuonStrgrid::rowsError() {
    return QStringLiteral("The tally table's row count is out of range");
}

QString QuonStrgrid::cellText(const QString& text) {
    QString out = text.left(kMaxNameLength);
    for (QChar& c : out) {
        if (c == u'\r' || c == u'\n' || c.unicode() > 0xFF)
            c = u'?';
    }
    return out;
}

QByteArray QuonStrgrid::write(const TallyGrid& grid) {
    QByteArray out;
    out += QByteArray::number(kTallyColumns) + kLineEnd;
    out += QByteArray::number(qsizetype(grid.size())) + kLineEnd;
    for (int column = 0; column < kTallyColumns; ++column) {
        for (const TallyRow& row : grid)
            out += cellText(row[column]).toLatin1() + kLineEnd;
    }
    return out;
}

QString QuonStrgrid::read(QByteArrayView text, TallyGrid& grid) {
    grid.clear();
    LineReader lines(text);
    QByteArrayView line;
    if (!lines.next(line))
        return endOfFileError();
    const int columns = readCount(line);
    if (columns < 0)
        return numberError();
    if (columns != kTallyColumns)
        return columnsError();
    if (!lines.next(line))
        return endOfFileError();
    const int rows = readCount(line);
    if (rows < 0)
        return numberError();
    if (rows < 1 || rows > kMaxRows)
        return rowsError();
    // Every cell is a line; refusing a short text here means nothing is allocated for it.
    if (lines.remaining() < qsizetype(rows) * kTallyColumns)
        return endOfFileError();

    TallyGrid cells(static_cast<std::size_t>(rows));
    for (int column = 0; column < kTallyColumns; ++column) {
        for (std::size_t row = 0; row < cells.size(); ++row) {
            lines.next(line);
            const bool name = column == 0 && row > 0;
            if (name)
                line = line.first(std::min(line.size(), kMaxNameLength));
            else if (line.size() > kMaxCountLength)
                return numberError();
            cells[row][std::size_t(column)] = QString::fromLatin1(line);
        }
    }
    grid = std::move(cells);
    return {};
}

} // namespace zb
