#pragma once
// The phrase editor "Phrase Buttons - Zorbinet": nine fields `phrase1`..`phrase9`, one for each
// phrase button that sends a phrase. It only copies phrases in and out: opening it through
// PhraseList1Click fills the fields from the buttons, "Done" puts them back and writes them to the
// settings file, and closing it any other way changes nothing.

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zb {

class PhraseButtons;
class Settings;

class Tphrases : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFields = 9;
    static constexpr int kMaxLength = 50;

    explicit Tphrases(QWidget* parent = nullptr);

    // The buttons whose phrases the editor shows and changes (the editor opens centred on their
    // window), and the settings file that "Done" writes. Either may be null; both must outlive
    // the editor or be detached first.
    void attach(PhraseButtons* buttons, Settings* settings);

    // View > "Phrase List": the buttons' phrases into the fields, then the editor is shown,
    // centred on the table window.
    void PhraseList1Click();
    // "Done": the fields into the buttons and all nine "Phrase" keys into the settings file,
    // empty ones included; then the editor closes.
    void SelButton8Click();

    // Controls, 1..9; null for any other number.
    QLineEdit* phrase(int n) const;
    QLabel* label(int n) const;
    QPushButton* SelButton8() const { return SelButton8_; }

private:
    void buildControls();
    void centreOnTable();

    std::array<QLineEdit*, kFields + 1> phrase_{};
    std::array<QLabel*, kFields + 1> label_{};
    QPushButton* SelButton8_ = nullptr;
    PhraseButtons* buttons_ = nullptr;
    Settings* settings_ = nullptr;
};

} // namespace zb
