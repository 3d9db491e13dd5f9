// The settings file as the table window uses it: read once the host has confirmed the local
// player, written at once whenever a preference is changed through its menu item, and written
// when the window closes after having been moved or resized. Before the first read nothing may
// overwrite the player's stored preferences with the window's initial ones: a change then writes
// only its own key, and closing writes nothing.

#include "net/guard.h"
#include "net/protocol.h"
#include "shell/chatpanel.h"
#include "shell/colortext.h"
#include "shell/phrasebuttons.h"
#include "shell/storedplace.h"
#include "table/session.h"
#include "table/tablemodel.h"
#include "table/tchat.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace zb {

namespace {

// The work area rule of closing: a dimension larger than the work area is stored 15 pixels less.
constexpr int kOversizeCut = 15;

// A stored size is the player's, but one larger than the whole desktop can only come from a
// damaged file, and would cost a window's worth of memory for every pixel of it.
QRect placeable(const QRect& stored, const QSize& desktop) {
    const int maxWidth = std::max(desktop.width(), Tchat::kDefaultBounds.width());
    const int maxHeight = std::max(desktop.height(), Tchat::kDefaultBounds.height());
    return QRect(stored.topLeft(), QSize(std::clamp(stored.width(), 1, maxWidth),
                                         std::clamp(stored.height(), 1, maxHeight)));
}

QSize desktopSize(const QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->virtualSize() : QSize();
}

} // namespace

void Tchat::connectPreferences() {
    Preferences& p = settings_.prefs();
    auto item = [this](QAction* action, Settings::Key key, auto change) {
        connect(action, &QAction::triggered, this, [this, change, key](bool checked) {
            guarded([&] {
                change(checked);
                preferenceChanged(key);
            });
        });
    };
    using Key = Settings::Key;
    item(menu_.PlaySounds1, Key::Playsounds, [&p](bool on) { p.playSounds = on; });
    item(menu_.Classic1, Key::Turnsound, [&p](bool) { p.turnSound = 0; });
    item(menu_.New1, Key::Turnsound, [&p](bool) { p.turnSound = 1; });
    item(menu_.PlayChatterSounds1, Key::ChatterSounds, [&p](bool on) { p.chatterSounds = on; });
    item(menu_.Slow1, Key::Botspeed, [&p](bool) { p.botSpeed = Preferences::kBotSlow; });
    item(menu_.Normal1, Key::Botspeed, [&p](bool) { p.botSpeed = Preferences::kBotNormal; });
    item(menu_.Fast1, Key::Botspeed, [&p](bool) { p.botSpeed = Preferences::kBotFast; });
    item(menu_.doubleCheck, Key::Doublecheck, [&p](bool on) { p.doubleCheck = on; });
    // The hints' key is this program's own addition and no part of a full write: it is
    // written alone, whenever it changes, before or after the file was read.
    connect(menu_.ShowScoreHints1, &QAction::triggered, this, [this, &p](bool on) {
        guarded([&] {
            p.scoreHints = on;
            settings_.saveKey(Key::ScoreHints);
            showScoreHints();
        });
    });

    // The chat panel handles "Text Color" and "Text Size" itself and then says that something
    // changed; a size item has just been chosen when it is about the size.
    connect(chat_, &ChatPanel::preferenceChanged, this, [this] {
        guarded([&] {
            const Settings::Key key = textSizeChosen_ ? Key::Textsize : Key::Textcolor;
            textSizeChosen_ = false;
            phrases_->setChatColor(chat_->chatColor());
            preferenceChanged(key);
        });
    });
    for (QAction* size : menu_.textSizes)
        connect(size, &QAction::triggered, this, [this] { textSizeChosen_ = false; });

    p.playSounds = menu_.PlaySounds1->isChecked();
    p.turnSound = menu_.New1->isChecked() ? 1 : 0;
    p.chatterSounds = menu_.PlayChatterSounds1->isChecked();
    p.doubleCheck = menu_.doubleCheck->isChecked();
    p.scoreHints = menu_.ShowScoreHints1->isChecked();
    p.textSize = chat_->textSize();
    p.textColor = chat_->chatColorText();
}

void Tchat::collectPreferences() {
    Preferences& p = settings_.prefs();
    p.textSize = chat_->textSize();
    p.textColor = chat_->chatColorText();
    p.bounds = frameGeometry();
}

void Tchat::preferenceChanged(Settings::Key key) {
    collectPreferences();
    const bool everything = settings_.isLoaded();
    if (settings_.savePreference(key) && everything)
        storedbounds_ = settings_.prefs().bounds;
}

void Tchat::loadinifile() {
    settings_.load();
    applyBounds();
    showPreferences();
    const ClientState& s = model_->state();
    // The host takes the interval from the table window of its own program; the message only
    // tells it what the hosting player chose.
    if (s.myseat == 1 && s.loggedin)
        sendRequest(msg::toHost::botspeed(s.myseat, settings_.prefs().botSpeed));
}

void Tchat::applyBounds() {
    const QRect stored = settings_.prefs().bounds;
    storedbounds_ = stored;
    setOuterBounds(
        storedPlace(placeable(stored, desktopSize(this)), screenAreas(), kDefaultBounds));
}

void Tchat::showPreferences() {
    const Preferences& p = settings_.prefs();
    chat_->setTextSize(p.textSize);
    const color::Color colour = color::fromText(p.textColor).value_or(color::kBlack);
    chat_->setChatColor(colour);
    phrases_->setChatColor(colour);
    phrases_->loadPhrases(p);
    menu_.Fast1->setChecked(p.botSpeed == Preferences::kBotFast);
    menu_.Slow1->setChecked(p.botSpeed == Preferences::kBotSlow);
    menu_.Normal1->setChecked(p.botSpeed == Preferences::kBotNormal);
    menu_.PlaySounds1->setChecked(p.playSounds);
    menu_.doubleCheck->setChecked(p.doubleCheck);
    menu_.ShowScoreHints1->setChecked(p.scoreHints);
    showScoreHints();
    menu_.New1->setChecked(p.turnSound == 1);
    menu_.Classic1->setChecked(p.turnSound != 1);
    menu_.PlayChatterSounds1->setChecked(p.chatterSounds);
}

void Tchat::saveBoundsOnClose() {
    if (!settings_.isLoaded())
        return;
    QRect outer = frameGeometry();
    if (outer == storedbounds_)
        return;
    if (const QScreen* screen = this->screen()) {
        const QRect work = screen->availableGeometry();
        if (outer.width() > work.width())
            outer.setWidth(outer.width() - kOversizeCut);
        if (outer.height() > work.height())
            outer.setHeight(outer.height() - kOversizeCut);
    }
    collectPreferences();
    settings_.prefs().bounds = outer;
    if (settings_.saveAll())
        storedbounds_ = outer;
}

} // namespace zb
