// The preferences of the table window and its settings file (see tablesettings.h).

#include "table/tablesettings.h"

#include "net/guard.h"
#include "shell/chatpanel.h"
#include "shell/colortext.h"
#include "shell/phrasebuttons.h"
#include "shell/storedplace.h"
#include "table/mainmenu.h"
#include "table/tchat.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
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

TableSettings::TableSettings(const QString& folder, Window window, QObject* parent)
    : QObject(parent), settings_(folder), w_(std::move(window)) {
    connectMenu();
}

void TableSettings::connectMenu() {
    MainMenu& menu = *w_.menu;
    ChatPanel* chat = w_.chat;
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
    item(menu.PlaySounds1, Key::Playsounds, [&p](bool on) { p.playSounds = on; });
    item(menu.Classic1, Key::Turnsound, [&p](bool) { p.turnSound = 0; });
    item(menu.New1, Key::Turnsound, [&p](bool) { p.turnSound = 1; });
    item(menu.PlayChatterSounds1, Key::ChatterSounds, [&p](bool on) { p.chatterSounds = on; });
    item(menu.Slow1, Key::Botspeed, [&p](bool) { p.botSpeed = Preferences::kBotSlow; });
    item(menu.Normal1, Key::Botspeed, [&p](bool) { p.botSpeed = Preferences::kBotNormal; });
    item(menu.Fast1, Key::Botspeed, [&p](bool) { p.botSpeed = Preferences::kBotFast; });
    item(menu.doubleCheck, Key::Doublecheck, [&p](bool on) { p.doubleCheck = on; });
    // The hints' key is this program's own addition and no part of a full write: it is
    // written alone, whenever it changes, before or after the file was read.
    // Like the hints, the computer players' skill and the coach's switch have keys of their own.
    auto ownKey = [this](QAction* action, Settings::Key key, auto change) {
        connect(action, &QAction::triggered, this, [this, change, key](bool checked) {
            guarded([&] {
                change(checked);
                settings_.saveKey(key);
                emit changed();
            });
        });
    };
    ownKey(menu.BotClassic1, Key::BotSkill,
           [&p](bool) { p.botSkill = strategy::BotSkill::Classic; });
    ownKey(menu.BotExpert1, Key::BotSkill, [&p](bool) { p.botSkill = strategy::BotSkill::Expert; });
    ownKey(menu.ShowBestMove1, Key::ShowBestMove, [&p](bool on) { p.showBestMove = on; });
    connect(menu.ShowScoreHints1, &QAction::triggered, this, [this, &p](bool on) {
        guarded([&] {
            p.scoreHints = on;
            settings_.saveKey(Key::ScoreHints);
            emit changed();
        });
    });

    // The chat panel handles "Text Color" and "Text Size" itself and then says what changed.
    connect(chat, &ChatPanel::chatColorChanged, this, [this] {
        guarded([&] {
            w_.phrases->setChatColor(w_.chat->chatColor());
            preferenceChanged(Key::Textcolor);
        });
    });
    connect(chat, &ChatPanel::textSizeChanged, this,
            [this] { guarded([&] { preferenceChanged(Key::Textsize); }); });

    p.playSounds = menu.PlaySounds1->isChecked();
    p.turnSound = menu.New1->isChecked() ? 1 : 0;
    p.chatterSounds = menu.PlayChatterSounds1->isChecked();
    p.doubleCheck = menu.doubleCheck->isChecked();
    p.scoreHints = menu.ShowScoreHints1->isChecked();
    p.showBestMove = menu.ShowBestMove1->isChecked();
    p.botSkill =
        menu.BotExpert1->isChecked() ? strategy::BotSkill::Expert : strategy::BotSkill::Classic;
    p.textSize = chat->textSize();
    p.textColor = chat->chatColorText();
}

void TableSettings::collect() {
    Preferences& p = settings_.prefs();
    p.textSize = w_.chat->textSize();
    p.textColor = w_.chat->chatColorText();
    p.bounds = w_.window->frameGeometry();
}

void TableSettings::preferenceChanged(Settings::Key key) {
    collect();
    const bool everything = settings_.isLoaded();
    if (settings_.savePreference(key) && everything)
        storedbounds_ = settings_.prefs().bounds;
    emit changed();
}

void TableSettings::load() {
    settings_.load();
    applyBounds();
    showPreferences();
    emit changed();
}

void TableSettings::applyBounds() {
    const QRect stored = settings_.prefs().bounds;
    storedbounds_ = stored;
    w_.place(storedPlace(placeable(stored, desktopSize(w_.window)), screenAreas(),
                         Tchat::kDefaultBounds));
}

void TableSettings::showPreferences() {
    MainMenu& menu = *w_.menu;
    const Preferences& p = settings_.prefs();
    w_.chat->setTextSize(p.textSize);
    const color::Color colour = color::fromText(p.textColor).value_or(color::kBlack);
    w_.chat->setChatColor(colour);
    w_.phrases->setChatColor(colour);
    w_.phrases->loadPhrases(p);
    menu.Fast1->setChecked(p.botSpeed == Preferences::kBotFast);
    menu.Slow1->setChecked(p.botSpeed == Preferences::kBotSlow);
    menu.Normal1->setChecked(p.botSpeed == Preferences::kBotNormal);
    menu.PlaySounds1->setChecked(p.playSounds);
    menu.doubleCheck->setChecked(p.doubleCheck);
    menu.ShowScoreHints1->setChecked(p.scoreHints);
    menu.ShowBestMove1->setChecked(p.showBestMove);
    menu.BotExpert1->setChecked(p.botSkill == strategy::BotSkill::Expert);
    menu.BotClassic1->setChecked(p.botSkill != strategy::BotSkill::Expert);
    menu.New1->setChecked(p.turnSound == 1);
    menu.Classic1->setChecked(p.turnSound != 1);
    menu.PlayChatterSounds1->setChecked(p.chatterSounds);
}

void TableSettings::saveOnClose() {
    if (!settings_.isLoaded())
        return;
    QRect outer = w_.window->frameGeometry();
    if (outer == storedbounds_)
        return;
    if (const QScreen* screen = w_.window->screen()) {
        const QRect work = screen->availableGeometry();
        if (outer.width() > work.width())
            outer.setWidth(outer.width() - kOversizeCut);
        if (outer.height() > work.height())
            outer.setHeight(outer.height() - kOversizeCut);
    }
    collect();
    settings_.prefs().bounds = outer;
    if (settings_.saveAll())
        storedbounds_ = outer;
}

} // namespace zb
