#include "tallymodel.h"

#include "quonstrgrid.h"

#include <limits>
#include <optional>
#include <set>

namespace zb {
namespace {

constexpr int kGamesColumn = 1;
constexpr int kWinsColumn = 2;
constexpr int kHighColumn = 4;
constexpr int kSession = 4; // session column = total column + 4

QString conversionText(const QString& text) {
    return QLatin1Char('\'') + text + QStringLiteral("' is not a valid integer value");
}

// A signed 32-bit decimal, nothing else around it.
std::optional<int> readInt(const QString& text) {
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        negative = text[0] == u'-';
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(value);
}

bool isCount(int column, int row) {
    return column >= 1 || row == 0;
}

} // namespace

TallyConversionError::TallyConversionError(const QString& text)
    : std::runtime_error(conversionText(text).toStdString()) {}

TallyModel::TallyModel(QObject* parent) : QObject(parent) {
    grid_.resize(1);
    zeroCells(0);
}

QString TallyModel::cell(int column, int row) const {
    if (column < 0 || column >= kTallyColumns || row < 0 || row >= int(grid_.size()))
        return {};
    return grid_[std::size_t(row)][std::size_t(column)];
}

QStringList TallyModel::tallied() const {
    QStringList names;
    for (std::size_t row = 1; row < grid_.size(); ++row)
        names << grid_[row][0];
    return names;
}

int TallyModel::rowOf(const QString& name) const {
    const QString cellName = QuonStrgrid::cellText(name);
    for (std::size_t row = 1; row < grid_.size(); ++row) {
        if (grid_[row][0] == cellName)
            return int(row);
    }
    return -1;
}

void TallyModel::loadchecklist(const QStringList& names) {
    // As the tally would keep them: the list shows what choosing an entry records.
    current_.clear();
    for (const QString& name : names)
        current_ << QuonStrgrid::cellText(name);
    emit changed();
}

void TallyModel::addgame(bool localWon, const QStringList& winners) {
    addtomine(kGamesColumn);
    if (localWon)
        addtomine(kWinsColumn);
    std::set<QString> winnerCells;
    for (const QString& name : winners)
        winnerCells.insert(QuonStrgrid::cellText(name));
    std::set<int> counted;
    for (const QString& name : current_) {
        const int row = rowOf(name);
        if (row < 1 || !counted.insert(row).second)
            continue;
        TallyRow& cells = grid_[std::size_t(row)];
        for (int column = 1; column < kTallyColumns; ++column) {
            if (cells[std::size_t(column)].isEmpty())
                cells[std::size_t(column)] = QStringLiteral("0");
        }
        int column = 4; // neither won
        if (winnerCells.count(cells[0]) != 0)
            column = 2;
        else if (localWon)
            column = 3;
        for (int c : {1, column}) {
            addit(c, row);
            addit(c + kSession, row);
        }
    }
    emit changed();
}

void TallyModel::addtomine(int column) {
    if (column < 1 || column > 4)
        return;
    addit(column, 0);
    emit changed();
}

void TallyModel::checkhighscore(const QString& text) {
    const int stored = readInt(grid_[0][kHighColumn]).value_or(0);
    const int score = readInt(text).value_or(0);
    if (score >= stored) {
        grid_[0][kHighColumn] = QString::number(score);
        emit changed();
    }
}

void TallyModel::addit(int column, int row) {
    if (column < 0 || column >= kTallyColumns || row < 0 || row >= int(grid_.size()))
        return;
    QString& cell = grid_[std::size_t(row)][std::size_t(column)];
    const std::optional<int> value = readInt(cell);
    if (!value)
        throw TallyConversionError(cell);
    // A count that has reached the top stays there rather than turning negative.
    if (*value < std::numeric_limits<int>::max())
        cell = QString::number(*value + 1);
}

bool TallyModel::choose(const QString& name) {
    if (rowOf(name) >= 0)
        return false;
    TallyRow row;
    row[0] = QuonStrgrid::cellText(name);
    grid_.push_back(row);
    zeroCells(int(grid_.size()) - 1);
    emit changed();
    return true;
}

void TallyModel::remove(int row) {
    if (row < 1 || row >= int(grid_.size()))
        return;
    grid_.erase(grid_.begin() + row);
    emit changed();
}

void TallyModel::reset() {
    grid_.resize(1);
    zeroCells(0);
    emit changed();
}

QString TallyModel::load(TallyGrid grid) {
    if (grid.empty())
        return conversionText(QString());
    for (std::size_t row = 0; row < grid.size(); ++row) {
        for (int column = 0; column < kTallyColumns; ++column) {
            QString& cell = grid[row][std::size_t(column)];
            if (!isCount(column, int(row))) {
                cell = QuonStrgrid::cellText(cell);
                continue;
            }
            if (cell.isEmpty())
                cell = QStringLiteral("0");
            else if (!readInt(cell))
                return conversionText(cell);
        }
        if (row > 0) {
            for (int column = 1 + kSession; column < kTallyColumns; ++column)
                grid[row][std::size_t(column)] = QStringLiteral("0");
        }
    }
    grid_ = std::move(grid);
    emit changed();
    return {};
}

void TallyModel::zeroCells(int row) {
    TallyRow& cells = grid_[std::size_t(row)];
    for (int column = row == 0 ? 0 : 1; column < kTallyColumns; ++column)
        cells[std::size_t(column)] = QStringLiteral("0");
}

} // namespace zb
