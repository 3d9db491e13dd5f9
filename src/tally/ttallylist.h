#pragma once
// The window "Zorbinet - Tally List": the local player's totals, the chosen opponent's record in
// total and in this run, the players of the current game to choose from and the opponents being
// tallied. It shows a TallyModel and changes it only through the model's operations; the Yes/No
// questions go through Dialogs and continue in their callbacks.

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace zb {

class Dialogs;
class ElidedLabel;
class TallyModel;

class Ttallylist : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kSize{465, 396};

    Ttallylist(TallyModel& model, Dialogs& dialogs, QWidget* parent = nullptr);
    // A window with a tally of its own and the real message boxes.
    explicit Ttallylist(QWidget* parent = nullptr);
    ~Ttallylist() override;

    TallyModel& model() const { return *model_; }

    // mylabel(1..4): the local player's counts; label(1..8): the shown opponent's.
    QLabel* mylabel(int i) const { return mylabel_.at(std::size_t(i)); }
    QLabel* label(int i) const { return label_.at(std::size_t(i)); }
    // The shown opponent's name, cut to fit; fullText() holds it whole.
    ElidedLabel* label_hisname() const { return hisname_; }
    ElidedLabel* label_hisnametop() const { return hisnametop_; }
    QListWidget* checklist() const { return checklist_; }
    QListWidget* listbox_tally() const { return listboxTally_; }
    QPushButton* button_reset() const { return reset_; }
    QPushButton* button_done() const { return done_; }

    // Shows the window centred on the table window (when given one) and raises it.
    void showOver(QWidget* table = nullptr);

private:
    void build();
    QWidget* buildMinePanel();
    QWidget* buildOpponentPanel();
    void refresh();
    void showOpponent();
    void checklistChanged(QListWidgetItem* item);
    void listboxTallyChanged(QListWidgetItem* item);
    void resetClick();

    std::unique_ptr<TallyModel> ownModel_;
    TallyModel* model_ = nullptr;
    Dialogs* dialogs_ = nullptr;
    bool refreshing_ = false;

    std::array<QLabel*, 5> mylabel_{};
    std::array<QLabel*, 9> label_{};
    ElidedLabel* hisname_ = nullptr;
    ElidedLabel* hisnametop_ = nullptr;
    QListWidget* checklist_ = nullptr;
    QListWidget* listboxTally_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* done_ = nullptr;
};

} // namespace zb
