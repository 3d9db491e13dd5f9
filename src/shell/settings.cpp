#include "shell/settings.h"

#include "net/guard.h"
#include "shell/profilefile.h"

#include <QDir>
#include <QLatin1String>
#include <array>

namespace zb {

namespace {

constexpr std::array<const char*, 14> kKeyNames{
    "Textsize",      "Textcolor",  "Botspeed",   "Top",          "Left",
    "Width",         "Height",     "Playsounds", "Doublecheck",  "Turnsound",
    "ChatterSounds", "ScoreHints", "BotSkill",   "ShowBestMove",
};

constexpr Settings::Key kAllKeys[] = {
    Settings::Key::Textsize,  Settings::Key::Textcolor,     Settings::Key::Botspeed,
    Settings::Key::Top,       Settings::Key::Left,          Settings::Key::Width,
    Settings::Key::Height,    Settings::Key::Playsounds,    Settings::Key::Doublecheck,
    Settings::Key::Turnsound, Settings::Key::ChatterSounds,
};

// A size of 0 or below breaks the chat fonts and a huge one the window; neither is a choice the
// menu could have stored, so such values read as the default like any other unreadable number.
constexpr int kMinTextSize = 1;
constexpr int kMaxTextSize = 72;

const QString kTrue = QStringLiteral("true");
const QString kFalse = QStringLiteral("false");

QString section() {
    return QString::fromLatin1(Settings::kSection);
}

QString phraseKey(int n) {
    return QStringLiteral("Phrase%1").arg(n);
}

QString fileName() {
    return QString::fromLatin1(Settings::kFileName);
}

} // namespace

Settings::Settings(const QString& folder)
    : Settings(folder.isEmpty() ? files::dataPlace() : files::DataPlace(folder)) {}

Settings::Settings(files::DataPlace place)
    : place_(std::move(place)), report_([](const QString& text) { reportError(text); }) {}

QString Settings::filePath() const {
    return place_.writePath(fileName());
}

QString Settings::readPath() const {
    return place_.readPath(fileName());
}

bool Settings::write(const std::function<void(ProfileFile&)>& change) {
    // Until the folder has a file of its own, the one read from the program's folder is where
    // the lobby's lines and the player's phrases come from.
    ProfileFile file = ProfileFile::load(readPath());
    if (file.path() != filePath())
        file = file.movedTo(filePath());
    change(file);
    QString error;
    if (file.save(&error)) {
        failing_ = false;
        return true;
    }
    if (!failing_ && report_)
        report_(QStringLiteral("The settings could not be saved: ") + error);
    failing_ = true;
    return false;
}

QString Settings::keyName(Key key) {
    return QString::fromLatin1(kKeyNames[static_cast<size_t>(key)]);
}

bool Settings::isMenuTextSize(int points) {
    return points == 8 || points == 10 || points == 12 || points == 14;
}

void Settings::load() {
    const ProfileFile file = ProfileFile::load(readPath());
    auto text = [&](const char* key, const QString& fallback) {
        return file.value(section(), QString::fromLatin1(key), fallback);
    };
    auto number = [&](const char* key, int fallback) {
        bool ok = false;
        const int value = text(key, {}).toInt(&ok);
        return ok ? value : fallback;
    };

    prefs_.bounds =
        QRect(number("Left", 3), number("Top", 3), number("Width", 783), number("Height", 512));

    const int size = number("Textsize", 8);
    prefs_.textSize = (size >= kMinTextSize && size <= kMaxTextSize) ? size : 8;

    // The colour text is turned into a colour by the chat, which reads anything unreadable as
    // black. "Actioncolor" is deliberately not read: letting it override "Textcolor", which is
    // the only colour this program writes, would lose the player's chosen colour on every run.
    // An empty value is no colour either; as "clblack" it is written back like any other.
    prefs_.textColor = text("Textcolor", {});
    if (prefs_.textColor.isEmpty())
        prefs_.textColor = QStringLiteral("clblack");

    for (int n = 1; n <= Preferences::kPhraseKeys; ++n)
        prefs_.phrases[n] = file.value(section(), phraseKey(n)).left(Preferences::kPhraseMaxLength);

    // Each switch falls back on the text read for the key before it, so a file without any of
    // them reads every switch as on.
    const QString botText = text("Botspeed", QStringLiteral("1000"));
    bool botOk = false;
    const int bot = botText.toInt(&botOk);
    prefs_.botSpeed = (botOk && (bot == Preferences::kBotFast || bot == Preferences::kBotSlow))
                          ? bot
                          : Preferences::kBotNormal;

    const QString playText = text("Playsounds", botText);
    prefs_.playSounds = playText != kFalse;
    prefs_.doubleCheck = text("Doublecheck", playText) != kFalse;
    prefs_.turnSound = text("Turnsound", QStringLiteral("0")) == QLatin1String("1") ? 1 : 0;
    prefs_.chatterSounds = text("ChatterSounds", kTrue) != kFalse;
    prefs_.scoreHints = text("ScoreHints", kTrue) != kFalse;
    // Only the exact word of a skill picks it; anything else is the classic player.
    prefs_.botSkill = strategy::parseBotSkill(text("BotSkill", {}).toStdString())
                          .value_or(strategy::BotSkill::Classic);
    prefs_.showBestMove = text("ShowBestMove", kFalse) == kTrue;

    loaded_ = true;
}

QString Settings::text(Key key) const {
    switch (key) {
    case Key::Textsize:
        return QString::number(prefs_.textSize);
    case Key::Textcolor:
        return prefs_.textColor;
    case Key::Botspeed:
        return QString::number(prefs_.botSpeed);
    case Key::Top:
        return QString::number(prefs_.bounds.top());
    case Key::Left:
        return QString::number(prefs_.bounds.left());
    case Key::Width:
        return QString::number(prefs_.bounds.width());
    case Key::Height:
        return QString::number(prefs_.bounds.height());
    case Key::Playsounds:
        return prefs_.playSounds ? kTrue : kFalse;
    case Key::Doublecheck:
        return prefs_.doubleCheck ? kTrue : kFalse;
    case Key::Turnsound:
        return prefs_.turnSound == 1 ? QStringLiteral("1") : QStringLiteral("0");
    case Key::ChatterSounds:
        return prefs_.chatterSounds ? kTrue : kFalse;
    case Key::ScoreHints:
        return prefs_.scoreHints ? kTrue : kFalse;
    case Key::BotSkill:
        return QString::fromLatin1(strategy::botSkillName(prefs_.botSkill).data(),
                                   qsizetype(strategy::botSkillName(prefs_.botSkill).size()));
    case Key::ShowBestMove:
        return prefs_.showBestMove ? kTrue : kFalse;
    }
    return {};
}

bool Settings::saveKey(Key key) {
    const QString value = text(key);
    if (key == Key::Textcolor && value.isEmpty())
        return true; // a colour without a text form is skipped, as in a full write
    return write([&](ProfileFile& file) { file.setValue(section(), keyName(key), value); });
}

bool Settings::saveAll() {
    if (!loaded_)
        return false;
    return write([&](ProfileFile& file) {
        for (const Key key : kAllKeys) {
            const QString value = text(key);
            if (key == Key::Textcolor && value.isEmpty())
                continue;
            file.setValue(section(), keyName(key), value);
        }
    });
}

bool Settings::savePreference(Key changed) {
    return loaded_ ? saveAll() : saveKey(changed);
}

bool Settings::savePhrases(const std::array<QString, Preferences::kPhraseKeys + 1>& phrases) {
    for (int n = 1; n <= Preferences::kPhraseKeys; ++n)
        prefs_.phrases[n] = phrases[n].left(Preferences::kPhraseMaxLength);
    return write([&](ProfileFile& file) {
        for (int n = 1; n <= Preferences::kPhraseKeys; ++n)
            file.setValue(section(), phraseKey(n), prefs_.phrases[n]);
    });
}

QString Settings::lobbyUrl() const {
    const QString url = ProfileFile::load(readPath()).value(section(), QStringLiteral("LobbyURL"));
    return url.isEmpty() ? QString::fromLatin1(kDefaultLobbyUrl) : url;
}

QString chooseDataFolder(const QString& programFolder, const QString& userFolder) {
    return files::chooseDataPlace(programFolder, userFolder).folder;
}

QString dataFolder() {
    return files::dataPlace().folder;
}

} // namespace zb
