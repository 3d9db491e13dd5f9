#include "table/zeropanel.h"

#include "net/guard.h"

#include <QLabel>
#include <QPushButton>

namespace zb {
namespace {

// The question's three lines on the left, the answers beside them.
constexpr int kTextWidth = 236;

QLabel* line(QWidget* parent, const QString& text, int top, int height, int pixelSize, bool bold) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(8, top, kTextWidth, height);
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    label->setFont(f);
    return label;
}

} // namespace

ZeroPanel::ZeroPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("panel_zero"));
    setGeometry(kPlace);
    // Maroon border on a warm card, like a note laid on the table.
    setStyleSheet(QStringLiteral(
        "QFrame#panel_zero { background: #fffaf0; border: 2px solid #800000; border-radius: 6px; }"
        "QFrame#panel_zero QLabel { color: #3a1a1a; background: transparent; }"
        "QFrame#panel_zero QLabel#zeroValue { color: #800000; }"));
    line(this, QStringLiteral("Are you sure you want to score"), 6, 18, 13, false);
    line(this, QStringLiteral("0"), 23, 32, 26, true)->setObjectName(QStringLiteral("zeroValue"));
    line(this, QStringLiteral("for this category?"), 56, 18, 13, false);

    no_ = new QPushButton(QStringLiteral("NO"), this);
    no_->setObjectName(QStringLiteral("button_no"));
    no_->setGeometry(kTextWidth + 16, 27, 62, 28);
    yes_ = new QPushButton(QStringLiteral("YES"), this);
    yes_->setObjectName(QStringLiteral("button_yes"));
    yes_->setGeometry(kPlace.width() - 12 - 62, 27, 62, 28);
    for (QPushButton* b : {no_, yes_})
        b->setFocusPolicy(Qt::NoFocus);
    connect(no_, &QPushButton::clicked, this, [this] { guarded([&] { emit noClicked(); }); });
    connect(yes_, &QPushButton::clicked, this, [this] { guarded([&] { emit yesClicked(); }); });
    hide();
}

} // namespace zb
