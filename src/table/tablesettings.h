#pragma once
// The settings file as the table window uses it: read once the host has confirmed the local
// player, written at once whenever a preference is changed through its menu item, and written
// when the window closes after having been moved or resized. Before the first read nothing may
// overwrite the player's stored preferences with the window's initial ones: a change then writes
// only its own key, and closing writes nothing. The menu's ticks show the preferences; the chat
// panel and the phrase buttons take the colour, the size and the phrases.

#include "shell/settings.h"

#include <QObject>
#include <QRect>
#include <functional>

class QMainWindow;

namespace zb {

class ChatPanel;
class PhraseButtons;
struct MainMenu;

class TableSettings : public QObject {
    Q_OBJECT
public:
    // The parts of the window the preferences live in; none is owned.
    struct Window {
        QMainWindow* window = nullptr;
        MainMenu* menu = nullptr;
        ChatPanel* chat = nullptr;
        PhraseButtons* phrases = nullptr;
        // Places the window by its outer bounds.
        std::function<void(const QRect& outer)> place;
    };

    TableSettings(const QString& folder, Window window, QObject* parent = nullptr);

    Settings& file() { return settings_; }
    const Settings& file() const { return settings_; }
    Preferences& prefs() { return settings_.prefs(); }
    const Preferences& prefs() const { return settings_.prefs(); }
    bool isLoaded() const { return settings_.isLoaded(); }
    // The outer bounds as last read or written.
    QRect storedbounds() const { return storedbounds_; }

    // Reads the file, places the window where it was and shows every preference.
    void load();
    // The window is closing: its place and size are written if they changed.
    void saveOnClose();

signals:
    // A preference that the game follows changed (read from the file or chosen in the menu).
    void changed();

private:
    void connectMenu();
    void showPreferences();
    void applyBounds();
    // The preferences that live in the window and the chat panel, into the settings.
    void collect();
    // A preference was changed through its menu item: the file is written at once.
    void preferenceChanged(Settings::Key key);

    Settings settings_;
    Window w_;
    QRect storedbounds_{0, 0, 0, 0};
};

} // namespace zb
