#pragma once
// The row of ten phrase buttons under the board, `b_phrase1`..`b_phrase10`. Buttons 1 to 9 send
// their phrase (which is also their tooltip) to the chat as an action of the player, at most one
// per cool-down; button 10 opens the chatter sound menu. Like the chat panel it knows nothing of
// sockets or seats: phrases and chatter sounds leave through the send functions, which say
// whether they could go, and the table feeds it the chat colour and the ticks of its dispatch
// timer.
//
// Ticks: while coolingDown() is true each tick of the table's dispatch timer, after its message,
// must call tick(). cooldownStarted() says that counting has begun, so an idle timer can be
// started; it may stop again once coolingDown() is false.

#include "shell/colortext.h"
#include "shell/phrasecooldown.h"
#include "shell/settingsprefs.h"

#include <QByteArray>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

namespace zb {

class ChatterSoundMenu;
class PictureButton;

class PhraseButtons : public QWidget {
    Q_OBJECT
public:
    // Each returns whether it could be sent (only while logged in; chatter only from a seat).
    using SendPhrase = std::function<bool(const QString& phrase, const QString& colourText)>;
    using SendChatter = std::function<bool(int wave)>;

    static constexpr int kButtons = 10;
    static constexpr int kPhrases = Preferences::kPhraseKeys; // buttons that send a phrase
    static constexpr int kChatterButton = 10;
    // The strip's place in the table's main panel, its size, and each button's left edge in it.
    static constexpr QPoint kPlace{486, 429};
    static constexpr QSize kSize{278, 19};
    static constexpr std::array<int, kButtons + 1> kLeft{0,   0,   28,  56,  84, 112,
                                                         141, 169, 197, 225, 253};
    // The phrases at creation, indexed by button; button 10's is a tooltip only.
    static const std::array<QString, kButtons + 1> kDefaultPhrases;

    explicit PhraseButtons(QWidget* parent = nullptr);
    ~PhraseButtons() override;

    // Seams. The send functions may throw (a socket error); it reaches the click's guard.
    void setSend(SendPhrase phrase, SendChatter chatter) {
        sendPhrase_ = std::move(phrase);
        sendChatter_ = std::move(chatter);
    }
    void setChatColor(color::Color colour) { chatColor_ = colour; }
    color::Color chatColor() const { return chatColor_; }

    // Phrase of button 1..10; empty for any other number.
    QString phrase(int button) const;
    // Sets the phrase (and tooltip) of button 1..9; other numbers are ignored.
    void setPhrase(int button, const QString& text);
    // What the settings file read: each non-empty phrase replaces its button's.
    void loadPhrases(const Preferences& prefs);

    // Operations, as the clicks run them.
    void b_phrase1Click(int button); // buttons 1..9
    void b_phrase10Click();
    void wave20Click(int k); // chatter menu entry k

    // The cool-down.
    bool phraseready() const { return cooldown_.phraseready(); }
    int phraseticks() const { return cooldown_.phraseticks(); }
    bool coolingDown() const { return cooldown_.coolingDown(); }
    void tick() { cooldown_.tick(); }

    // Controls.
    PictureButton* b_phrase(int button) const;
    ChatterSoundMenu* popup_sounds() const { return popup_sounds_; }

signals:
    void cooldownStarted();

private:
    void buildButtons();
    void nameButton(int button);

    std::array<PictureButton*, kButtons + 1> b_phrase_{};
    std::array<QString, kButtons + 1> phrases_ = kDefaultPhrases;
    ChatterSoundMenu* popup_sounds_ = nullptr;
    PhraseCooldown cooldown_;
    SendPhrase sendPhrase_;
    SendChatter sendChatter_;
    color::Color chatColor_ = color::kBlack;
};

} // namespace zb
