#pragma once
// The board: a felt tray with the five dice, the throw and start pictures, the bonus die on its
// frame, the status line, the winner picture and the zero-score question. It only draws and
// places; which clicks count and what they send is the table window's business.

#include <QPoint>
#include <QString>
#include <QWidget>
#include <array>

class QLabel;

namespace zb {

class ElidedLabel;
class PictureButton;
class ZeroPanel;

class Board : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kSize{484, 312};
    static constexpr int kOpenTop = 202;
    static constexpr int kHeldTop = 130;
    static constexpr QPoint kThrowPlace{382, 285};
    static constexpr QPoint kWinnerPlace{120, 68};
    static constexpr QRect kWinnerText{38, 96, 401, 30};
    // Where the dice lie before the first roll of a turn, and before the first turn of all.
    static constexpr std::array<QPoint, 6> kTurnStart{
        {{0, 0}, {247, 154}, {207, 202}, {195, 162}, {255, 218}, {147, 186}}};
    static constexpr std::array<QPoint, 6> kFirstStart{
        {{0, 0}, {195, 162}, {247, 154}, {255, 218}, {207, 202}, {147, 186}}};

    explicit Board(QWidget* parent = nullptr);

    static int openLeft(int die) { return 39 + 84 * (die - 1); }

    // Dice 1..5 as drawn; whether a die is held is the table model's to know.
    PictureButton* dice(int die) const { return dice_[die].button; }
    int dieFace(int die) const { return dice_[die].face; }
    bool dieBonusStyle(int die) const { return dice_[die].bonusStyle; }

    // Draws face on the die (bonus style or not), moves it to the open row and shows it.
    void placedice(int die, int face, bool bonusStyle, bool clickable);
    // A held die moves straight up from its open place; a released one back down.
    void holdDie(int die);
    void releaseDie(int die);
    // All five dice to their turn-start places; faces and states stay.
    void scatter();

    // The bonus die and its frame.
    void setBonusFace(int face);
    void showBonus(bool shown);
    bool bonusShown() const;
    int bonusFace() const { return bonusFace_; }

    void setStatus(const QString& text);
    QString status() const;
    // The coach's advice: its words beside the throw picture and a mark on each die it would
    // keep ([1..5]); empty words and no marks take it away.
    void setCoach(const QString& text, const std::array<bool, 6>& keep);
    QString coachText() const;
    bool coachMarks(int die) const { return coachKeep_[die]; }
    void showWinner(const QString& text);
    void hideWinner();

    PictureButton* image_throwdice() const { return throw_; }
    PictureButton* button_start() const { return start_; }
    QLabel* image_bonus() const { return bonus_; }
    QLabel* image_bonusback() const { return bonusBack_; }
    QLabel* label_status() const { return status_; }
    ElidedLabel* label_coach() const { return coach_; }
    QLabel* image_winner() const { return winnerPicture_; }
    ElidedLabel* label_winner() const { return winnerText_; }
    ZeroPanel* panel_zero() const { return zero_; }

signals:
    void dieClicked(int die);
    void throwClicked();
    void startClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Die {
        PictureButton* button = nullptr;
        int face = 0;
        bool bonusStyle = false;
        bool rolled = false; // for its spoken name only: the first faces are decoration
        bool held = false;   // for its spoken name only; the model knows what is held
    };
    void buildDice();
    void updateCoachMarks();
    void drawDie(int die);
    void nameDie(int die);

    std::array<Die, 6> dice_{}; // index 0 unused
    PictureButton* throw_ = nullptr;
    PictureButton* start_ = nullptr;
    QLabel* bonusBack_ = nullptr;
    QLabel* bonus_ = nullptr;
    int bonusFace_ = 0;
    QLabel* status_ = nullptr;
    QLabel* winnerPicture_ = nullptr;
    ElidedLabel* winnerText_ = nullptr;
    QWidget* zeroShadow_ = nullptr;
    ZeroPanel* zero_ = nullptr;
    ElidedLabel* coach_ = nullptr;
    std::array<bool, 6> coachKeep_{};
};

} // namespace zb
