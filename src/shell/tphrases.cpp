#include "shell/tphrases.h"

#include "controls/backgroundpainter.h"
#include "controls/escapecloses.h"
#include "controls/flatstyle.h"
#include "net/guard.h"
#include "shell/phrasebuttons.h"
#include "shell/settings.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zb {

namespace {

const QColor kLabelColour(0x00, 0x80, 0x00); // the game's clGreen

} // namespace

Tphrases::Tphrases(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("tphrases"));
    setWindowTitle(QStringLiteral("Phrase Buttons - Zorbinet"));
    // Escape is the way to close it without keeping the edits.
    closeOnEscape(this);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    buildControls();
    flat::applyFlatStyle(this);
}

void Tphrases::buildControls() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto* panel = new BackgroundPainter(this);
    outer->addWidget(panel);

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);

    QFont bold = font();
    bold.setBold(true);
    for (int n = 1; n <= kFields; ++n) {
        auto* label = new QLabel(QStringLiteral("Phrase Button %1:").arg(n), panel);
        label->setObjectName(QStringLiteral("label%1").arg(n));
        label->setFont(bold);
        QPalette green = label->palette();
        green.setColor(QPalette::WindowText, kLabelColour);
        label->setPalette(green);

        auto* field = new QLineEdit(panel);
        field->setObjectName(QStringLiteral("phrase%1").arg(n));
        field->setMaxLength(kMaxLength);
        field->setFixedWidth(300);
        label->setBuddy(field);

        grid->addWidget(label, n - 1, 0);
        grid->addWidget(field, n - 1, 1);
        label_[static_cast<size_t>(n)] = label;
        phrase_[static_cast<size_t>(n)] = field;
    }

    SelButton8_ = new QPushButton(QStringLiteral("Done"), panel);
    SelButton8_->setObjectName(QStringLiteral("SelButton8"));
    grid->addWidget(SelButton8_, kFields, 1, Qt::AlignRight);
    connect(SelButton8_, &QPushButton::clicked, this,
            [this] { guarded([&] { SelButton8Click(); }); });
}

void Tphrases::attach(PhraseButtons* buttons, Settings* settings) {
    buttons_ = buttons;
    settings_ = settings;
}

QLineEdit* Tphrases::phrase(int n) const {
    if (n < 1 || n > kFields)
        return nullptr;
    return phrase_[static_cast<size_t>(n)];
}

QLabel* Tphrases::label(int n) const {
    if (n < 1 || n > kFields)
        return nullptr;
    return label_[static_cast<size_t>(n)];
}

void Tphrases::PhraseList1Click() {
    if (buttons_) {
        for (int n = 1; n <= kFields; ++n)
            phrase(n)->setText(buttons_->phrase(n));
    }
    centreOnTable();
    if (isVisible()) {
        raise();
        activateWindow();
    }
    show();
}

void Tphrases::SelButton8Click() {
    std::array<QString, Preferences::kPhraseKeys + 1> texts{};
    for (int n = 1; n <= kFields; ++n) {
        texts[static_cast<size_t>(n)] = phrase(n)->text();
        if (buttons_)
            buttons_->setPhrase(n, texts[static_cast<size_t>(n)]);
    }
    if (settings_)
        settings_->savePhrases(texts);
    close();
}

void Tphrases::centreOnTable() {
    const QWidget* table = buttons_ ? buttons_->window() : nullptr;
    if (!table || table == buttons_)
        return;
    // Client areas, not frames: a window's frame is known only once the window manager has
    // framed it, and both windows wear the same one.
    adjustSize();
    QRect area(QPoint(), size());
    area.moveCenter(table->geometry().center());
    setGeometry(area);
}

} // namespace zb
