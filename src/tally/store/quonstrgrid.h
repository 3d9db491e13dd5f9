#pragma once
// The tally table as text, lines ending with CR LF, Latin-1:
//
//   9              the number of columns
//   1 + N          the number of rows
//   cells          column 0 of rows 0..N, then column 1 of rows 0..N, ... to column 8
//
// The reader is linear in its input and allocates nothing before the counts are known to fit the
// text: a row count the text cannot hold, or one beyond kMaxRows, is refused.

#include "tallygrid.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zb {

class QuonStrgrid {
public:
    // Far more opponents than anyone follows; the bound keeps a hostile file's row count harmless.
    static constexpr int kMaxRows = 10000;

    static QByteArray write(const TallyGrid& grid);

    // Fills grid from text. Returns an empty string, or the error text with grid left empty.
    static QString read(QByteArrayView text, TallyGrid& grid);

    // What a cell can hold in the text: one Latin-1 line. Line breaks and characters outside
    // Latin-1 become "?", so no name can split the table or change on its way through the file.
    static QString cellText(const QString& text);

    static QString endOfFileError();
    static QString numberError();
    static QString columnsError();
    static QString rowsError();
};

} // namespace zb
