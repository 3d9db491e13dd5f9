#pragma once
// The board's question before a choice that would score nothing: "Are you sure you want to score
// 0 for this category?" with "NO" and "YES". It keeps the category that waits for an answer
// (0 for none); the table decides what the answers do.

#include <QFrame>

class QLabel;
class QPushButton;

namespace zb {

class ZeroPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr QRect kPlace{88, 120, 297, 129};

    explicit ZeroPanel(QWidget* parent = nullptr);

    int category() const { return category_; }
    void setCategory(int category) { category_ = category; }

    QPushButton* yesButton() const { return yes_; }
    QPushButton* noButton() const { return no_; }

signals:
    void yesClicked();
    void noClicked();

private:
    int category_ = 0;
    QPushButton* yes_ = nullptr;
    QPushButton* no_ = nullptr;
};

} // namespace zb
