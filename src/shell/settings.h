#pragma once
// The settings file quonlobby.ini, section "Zorbinet": reading it into the preferences
// (loadinifile) and writing them back (saveinifile). The file is shared with the lobby, so every
// operation opens it, changes only this program's keys and closes it again; nothing is cached.
//
// Until the file has been read in a run, the preferences in memory are the window's initial ones
// and must not overwrite the player's stored ones: a change then writes only its own key, and a
// full write is refused.
//
// Every write is checked to its end; one that fails leaves the file as it was and is reported
// once, through the process's error report, until a write succeeds again.

#include "files/dataplace.h"
#include "shell/settingsprefs.h"

#include <QString>
#include <functional>

namespace zb {

class ProfileFile;

class Settings {
public:
    static constexpr char kFileName[] = "quonlobby.ini";
    static constexpr char kSection[] = "Zorbinet";
    static constexpr char kDefaultLobbyUrl[] = "http://www.quon77.com/lobby/qlbsetup.exe";

    // The keys this program writes, in the order of a full write. ScoreHints, BotSkill and
    // ShowBestMove come last and are no part of a full write: each is written only when its menu
    // item changes it, so every file that a full write produced before they existed is produced
    // the same way today.
    enum class Key {
        Textsize,
        Textcolor,
        Botspeed,
        Top,
        Left,
        Width,
        Height,
        Playsounds,
        Doublecheck,
        Turnsound,
        ChatterSounds,
        ScoreHints,
        BotSkill,
        ShowBestMove,
    };

    using Report = std::function<void(const QString& text)>;

    // folder: where the settings file lives; empty picks files::dataPlace().
    explicit Settings(const QString& folder = {});
    // A folder, and where the file is read from while that folder has none.
    explicit Settings(files::DataPlace place);

    const QString& folder() const { return place_.folder; }
    // Where the file is written.
    QString filePath() const;
    // Where it is read: filePath(), or the program folder's copy until filePath() exists.
    QString readPath() const;

    // Where a failed write is told; zb::reportError by default.
    void setReport(Report report) { report_ = std::move(report); }

    Preferences& prefs() { return prefs_; }
    const Preferences& prefs() const { return prefs_; }

    // loadinifile: every key into prefs(), with the defaults (and chained defaults) for missing,
    // non-numeric or out-of-range values. An unreadable file reads as all defaults.
    void load();
    bool isLoaded() const { return loaded_; }

    // saveinifile: every key, in Key order. Refused (false, nothing written) before load().
    bool saveAll();
    // This one key's current value, allowed at any time.
    bool saveKey(Key key);
    // What a changed preference writes: everything once the file has been read, else its own key.
    bool savePreference(Key changed);
    // The phrase editor's "Done": all nine "Phrase" keys, empty ones included.
    bool savePhrases(const std::array<QString, Preferences::kPhraseKeys + 1>& phrases);

    // The lobby installer's address: "LobbyURL" from the file (never written), else the default.
    QString lobbyUrl() const;

    static QString keyName(Key key);
    // Whether a "Text Size" menu entry exists for this size (8, 10, 12, 14).
    static bool isMenuTextSize(int points);

private:
    // The value that a write of this key stores; empty Textcolor means the key is skipped.
    QString text(Key key) const;
    // Reads the file as it is now, lets change edit it, and writes it back.
    bool write(const std::function<void(ProfileFile&)>& change);

    files::DataPlace place_;
    Preferences prefs_;
    Report report_;
    bool loaded_ = false;
    bool failing_ = false; // the last write failed and was reported
};

// Where the settings and tally files are written (see files::DataPlace): the program's folder
// when it is writable and not an installed bin/ folder, otherwise the per-user data folder.
QString dataFolder();
// The same choice between two given folders.
QString chooseDataFolder(const QString& programFolder, const QString& userFolder);

} // namespace zb
