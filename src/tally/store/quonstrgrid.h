#pragma once
// The tally table as text, lines ending with CR LF, Latin-1:
//
//   9              the number of columns
//   1 + N          the number of rows
//   cells          column 0 of rows 0..N, then column 1 of rows 0..N, ... to column 8
//
// The reader is linear in its input and allocates nothing before the counts are known to fit the
// text: a row count the text cannot hold, or one beyond kMaxRows, is refused. What it builds is
// bounded too: names are cut to kMaxNameLength and a count longer than kMaxCountLength is no
// number, so a table never holds more than kMaxRows rows of short cells, whatever the file.

#include "tallygrid.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zb {

class QuonStrgrid {
public:
    // Far more opponents than anyone follows; the bound keeps a hostile file's row count harmless.
    static constexpr int kMaxRows = 10000;
    // The longest name the tally keeps, in Latin-1 characters: longer ones are cut when read and
    // when recorded. Well beyond any name a player types; a name of megabytes would otherwise
    // cost every list and label that shows it its layout, and the window would stop responding.
    // Two names that differ only beyond the limit are one opponent to the tally.
    static constexpr qsizetype kMaxNameLength = 100;
    // The longest text a count may have: any 32-bit number ("-2147483648" has 11 characters),
    // with room for leading zeros.
    static constexpr qsizetype kMaxCountLength = 16;

    static QByteArray write(const TallyGrid& grid);

    // Fills grid from text. Returns an empty string, or the error text with grid left empty.
    static QString read(QByteArrayView text, TallyGrid& grid);

    // What a cell can hold in the text: one Latin-1 line of at most kMaxNameLength characters.
    // Line breaks and characters outside Latin-1 become "?", so no name can split the table or
    // change on its way through the file.
    static QString cellText(const QString& text);

    static QString endOfFileError();
    static QString numberError();
    static QString columnsError();
    static QString rowsError();
};

} // namespace zb
