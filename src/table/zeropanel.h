#pragma once
// The board's question before a choice that would score nothing: "Are you sure you want to score
// 0 for this category?" with "NO" and "YES". Which category waits for the answer, and what the
// answers do, is the table core's.

#include <QFrame>

class QLabel;
class QPushButton;

namespace zb {

class ZeroPanel : public QFrame {
    Q_OBJECT
public:
    // Over the felt between the status line and the lane of held dice, right of the bonus die:
    // the question never hides the dice it asks about.
    static constexpr QRect kPlace{88, 40, 392, 82};

    explicit ZeroPanel(QWidget* parent = nullptr);

    QPushButton* yesButton() const { return yes_; }
    QPushButton* noButton() const { return no_; }

signals:
    void yesClicked();
    void noClicked();

private:
    QPushButton* yes_ = nullptr;
    QPushButton* no_ = nullptr;
};

} // namespace zb
