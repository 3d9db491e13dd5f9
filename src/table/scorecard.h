#pragma once
// The score card: fifteen rows (twelve categories, three totals) in four seat columns, each seat's
// name, watching marker and grand total, the heading, the round label and the roll markers. It
// shows what it is told and reports clicks on rows 1..12; the rules of choosing are the table's.

#include "rules/rules.h"
#include "table/core/scorehints.h"

#include <QColor>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>

class QLabel;

namespace zb {

class ElidedLabel;
class HighlightLabel;

class ScoreCard : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kSize{281, 426};
    static constexpr int kSeats = rules::kSeats;
    static constexpr int kRows = rules::kEntries;
    static constexpr int kCategories = rules::kCategories;
    static inline const QColor kGreen{0x00, 0x80, 0x00};  // the local column on its own turn
    static inline const QColor kMaroon{0x80, 0x00, 0x00}; // the local column otherwise
    static inline const QColor kBlack{0x00, 0x00, 0x00};

    explicit ScoreCard(QWidget* parent = nullptr);

    // The controls, by seat 1..4, row 1..15 and marker 1..3.
    HighlightLabel* score(int seat, int row) const { return score_[seat][row]; }
    HighlightLabel* label(int row) const { return label_[row]; }
    ElidedLabel* label_playername(int seat) const { return playername_[seat]; }
    QLabel* label_score(int seat) const { return total_[seat]; }
    QLabel* image_eyes(int seat) const { return eyes_[seat]; }
    QLabel* image_rolls(int n) const { return rolls_[n]; }
    ElidedLabel* label_turn() const { return turn_; }
    QLabel* label_roundnum() const { return round_; }

    // Empties the card: totals "0", cells empty, rows 1..12 of mySeat's column green, the rest
    // black. Bold type is left as it is.
    void clearall(int mySeat);
    // Text colour of rows 1..15 of one column.
    void setColumnColour(int seat, const QColor& colour);
    // A card value: 1000 empties the cell (rows 1..12 also lose bold type); any other value shows
    // in bold.
    void setCell(int seat, int row, int value);
    QString cellText(int seat, int row) const;
    void setTotal(int seat, const QString& text);

    // The seat's name ("<Waiting>" for an empty seat, which its label shows as "Waiting"), and
    // the stored seat name its label keeps as its tooltip. An empty seat reads quieter.
    QString seatName(int seat) const;
    QString storedName(int seat) const;
    void setSeat(int seat, const QString& shown, const QString& stored, bool waiting);
    void showSeat(int seat);
    void setWatching(int seat, bool watching);

    // Markers for the rolls so far: 0..3; any other number changes nothing.
    void setRolls(int rolls);

    void setHeading(const QString& text);
    QString heading() const;
    void setRound(const QString& text);

    // Whose turn it is, shown as a marked name; 0 marks none.
    void markTurn(int seat);
    // Whether the rows light up under the pointer (the local player may choose now).
    void setChoosable(bool choosable);
    bool choosable() const { return choosable_; }
    // The column that is the local player's, drawn with a tint; 0 for none.
    void setOwnColumn(int seat);

    // Faint numbers in the empty cells of the hints' column; hints with seat 0 clear them.
    void setHints(const ScoreHints& hints);
    const ScoreHints& hints() const { return hints_; }
    // The coach's word on the card: in each open cell of the seat's column the total the game
    // can expect when scoring it now, the best one marked; they take the hints' place. Seat 0
    // takes them away.
    struct CoachMarks {
        int seat = 0;
        int best = 0;
        std::array<std::optional<double>, rules::kCategories + 1> total{};
        bool operator==(const CoachMarks&) const = default;
    };
    void setCoach(const CoachMarks& marks);
    const CoachMarks& coach() const { return coach_; }
    // The keyboard's cursor: a marked cell (and its row's caption); seat 0 hides it.
    void setCursor(int seat, int row);
    int cursorSeat() const { return cursorSeat_; }
    int cursorRow() const { return cursorRow_; }
    // What a screen reader says for a cell: "Ann, Fours: 12", "Bob, Full House: empty".
    QString cellName(int seat, int row) const;

signals:
    // A click on the label or any cell of rows 1..12.
    void categoryClicked(int category);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildHeader();
    void buildRows();
    void buildTotals();
    void styleSeatName(int seat, bool waiting);
    void nameCell(int seat, int row);
    void nameColumn(int seat);
    void markCursor(bool on);

    std::array<std::array<HighlightLabel*, kRows + 1>, kSeats + 1> score_{};
    std::array<HighlightLabel*, kRows + 1> label_{};
    std::array<ElidedLabel*, kSeats + 1> playername_{};
    std::array<QString, kSeats + 1> shown_{};
    std::array<QLabel*, kSeats + 1> total_{};
    std::array<QLabel*, kSeats + 1> eyes_{};
    std::array<QLabel*, 4> rolls_{};
    ElidedLabel* turn_ = nullptr;
    QLabel* round_ = nullptr;
    int turnSeat_ = 0;
    int ownSeat_ = 0;
    bool choosable_ = false;
    ScoreHints hints_;
    CoachMarks coach_;
    QWidget* hintLayer_ = nullptr;
    int cursorSeat_ = 0;
    int cursorRow_ = 0;
};

} // namespace zb
