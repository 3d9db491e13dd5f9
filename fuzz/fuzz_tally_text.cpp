// Arbitrary bytes as the tally table's text: the reader refuses or builds a bounded table (rows,
// and the length of every name and count); a table the tally takes must stand every update and
// read back the same after being written.

#include "tally/store/quonstrgrid.h"
#include "tally/store/tallymodel.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView text(reinterpret_cast<const char*>(data), qsizetype(size));
    zb::TallyGrid grid;
    if (!zb::QuonStrgrid::read(text, grid).isEmpty()) {
        check(grid.empty());
        return 0;
    }
    check(!grid.empty() && grid.size() <= std::size_t(zb::QuonStrgrid::kMaxRows));
    for (std::size_t row = 0; row < grid.size(); ++row) {
        for (int column = 0; column < zb::kTallyColumns; ++column) {
            const bool name = column == 0 && row > 0;
            check(grid[row][std::size_t(column)].size() <=
                  (name ? zb::QuonStrgrid::kMaxNameLength : zb::QuonStrgrid::kMaxCountLength));
        }
    }

    zb::TallyGrid copy;
    check(zb::QuonStrgrid::read(zb::QuonStrgrid::write(grid), copy).isEmpty());
    check(copy.size() == grid.size());
    for (std::size_t row = 0; row < grid.size(); ++row) {
        for (int column = 0; column < zb::kTallyColumns; ++column)
            check(copy[row][std::size_t(column)] ==
                  zb::QuonStrgrid::cellText(grid[row][std::size_t(column)]));
    }

    zb::TallyModel model;
    if (!model.load(grid).isEmpty())
        return 0;
    const QStringList names = model.tallied();
    for (const QString& name : names)
        check(name.size() <= zb::QuonStrgrid::kMaxNameLength);
    model.loadchecklist(names.mid(0, 4));
    model.addgame(false, {names.isEmpty() ? QStringLiteral("Ann") : names.first()});
    model.addgame(true, {});
    model.addtomine(3);
    model.checkhighscore(QStringLiteral("300"));
    if (model.opponents() > 0)
        model.remove(1);
    return 0;
}
