#include "shell/phrasebuttons.h"

#include "controls/picturebutton.h"
#include "controls/pictures.h"
#include "net/guard.h"
#include "shell/chattersoundmenu.h"

#include <QTextDocument>

namespace zb {

namespace {

// A phrase is plain text, but a tooltip that looks like markup is shown as rich text; such a
// phrase is shown escaped so the player sees exactly what the button sends.
QString tooltipFor(const QString& phrase) {
    if (!Qt::mightBeRichText(phrase))
        return phrase;
    return QStringLiteral("<p style='white-space:pre'>") + phrase.toHtmlEscaped() +
           QStringLiteral("</p>");
}

} // namespace

const std::array<QString, PhraseButtons::kButtons + 1> PhraseButtons::kDefaultPhrases{
    QString(),
    QStringLiteral("Way To Go!"),
    QStringLiteral("Good One!"),
    QStringLiteral("Nice Try!"),
    QStringLiteral("Excellent!"),
    QStringLiteral("Brilliant!"),
    QStringLiteral("Wow, WTG!"),
    QStringLiteral("Thanks!"),
    QStringLiteral("Way To Go Teamie!"),
    QStringLiteral("Good Game Everyone!"),
    QStringLiteral("See ya!"),
};

PhraseButtons::PhraseButtons(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("phrasebuttons"));
    setFixedSize(kSize);
    buildButtons();
    popup_sounds_ = new ChatterSoundMenu(this);
    connect(popup_sounds_, &ChatterSoundMenu::chosen, this,
            [this](int k) { guarded([&] { wave20Click(k); }); });
}

PhraseButtons::~PhraseButtons() = default;

void PhraseButtons::buildButtons() {
    for (int n = 1; n <= kButtons; ++n) {
        auto* button = new PictureButton(this);
        button->setObjectName(QStringLiteral("b_phrase%1").arg(n));
        button->setPictureSource(
            [n](qreal dpr) { return pics::phraseIcon(n, pics::kPhraseSize, dpr); });
        button->setGeometry(QRect(QPoint(kLeft[static_cast<size_t>(n)], 0), pics::kPhraseSize));
        button->setToolTip(tooltipFor(phrases_[static_cast<size_t>(n)]));
        b_phrase_[static_cast<size_t>(n)] = button;
        nameButton(n);
        if (n == kChatterButton) {
            connect(button, &QAbstractButton::clicked, this,
                    [this] { guarded([&] { b_phrase10Click(); }); });
        } else {
            connect(button, &QAbstractButton::clicked, this,
                    [this, n] { guarded([&] { b_phrase1Click(n); }); });
        }
    }
}

void PhraseButtons::nameButton(int button) {
    // A screen reader says what a button sends; the pictures alone say nothing.
    PictureButton* b = b_phrase_[static_cast<size_t>(button)];
    if (button == kChatterButton)
        b->setAccessibleName(QStringLiteral("Chatter sounds"));
    else
        b->setAccessibleName(
            QStringLiteral("Phrase %1: %2").arg(button).arg(phrases_[static_cast<size_t>(button)]));
}

QString PhraseButtons::phrase(int button) const {
    if (button < 1 || button > kButtons)
        return {};
    return phrases_[static_cast<size_t>(button)];
}

void PhraseButtons::setPhrase(int button, const QString& text) {
    if (button < 1 || button > kPhrases)
        return;
    phrases_[static_cast<size_t>(button)] = text;
    b_phrase_[static_cast<size_t>(button)]->setToolTip(tooltipFor(text));
    nameButton(button);
}

void PhraseButtons::loadPhrases(const Preferences& prefs) {
    for (int n = 1; n <= kPhrases; ++n) {
        const QString& text = prefs.phrases[static_cast<size_t>(n)];
        if (!text.isEmpty())
            setPhrase(n, text);
    }
}

void PhraseButtons::b_phrase1Click(int button) {
    if (button < 1 || button > kPhrases)
        return;
    if (!cooldown_.phraseready() || !sendPhrase_)
        return;
    if (!sendPhrase_(phrase(button), color::toText(chatColor_)))
        return;
    cooldown_.start();
    emit cooldownStarted();
}

void PhraseButtons::b_phrase10Click() {
    popup_sounds_->popupBelowRight(b_phrase_[kChatterButton]);
}

void PhraseButtons::wave20Click(int k) {
    if (sendChatter_)
        sendChatter_(k);
}

PictureButton* PhraseButtons::b_phrase(int button) const {
    if (button < 1 || button > kButtons)
        return nullptr;
    return b_phrase_[static_cast<size_t>(button)];
}

} // namespace zb
