#include "shell/sounds.h"

#include "shell/soundnames.h"

#include <QLatin1String>

namespace zb {

namespace {

constexpr int kFirstSeat = 1;
constexpr int kLastSeat = 4;

// The text before the first "+" and the rest after it (all of it when there is no "+").
std::pair<QByteArray, QByteArray> cut(const QByteArray& text) {
    const qsizetype plus = text.indexOf('+');
    if (plus < 0)
        return {text, {}};
    return {text.left(plus), text.mid(plus + 1)};
}

} // namespace

Sounds::Sounds(const Preferences& prefs, SoundPlayer& player) : prefs_(prefs), player_(player) {}

void Sounds::play(const QString& name) {
    const QString canonical = sound::canonicalName(name);
    player_.play(canonical.isEmpty() ? sound::kAlert : canonical);
}

void Sounds::playsounds(const QString& name) {
    if (prefs_.playSounds)
        play(name);
}

void Sounds::entered() {
    playsounds(QStringLiteral("entered"));
}

void Sounds::diceRolled(bool forMySeat) {
    playsounds(forMySeat ? QStringLiteral("dice2") : QStringLiteral("dice"));
}

void Sounds::dieSet() {
    playsounds(QStringLiteral("setdice"));
}

void Sounds::dieUnset() {
    playsounds(QStringLiteral("unsetdice"));
}

void Sounds::refused() {
    playsounds(QStringLiteral("error"));
}

QString Sounds::scoreSound(int category, const QString& cell) {
    if (cell == QLatin1String("0"))
        return QStringLiteral("noscore");
    return category == kFiveOfAKind ? QStringLiteral("fivekind") : QStringLiteral("scored");
}

void Sounds::scorePosted(int category, const QString& cell) {
    playsounds(scoreSound(category, cell));
}

void Sounds::turnBegins() {
    playsounds(prefs_.turnSound == 1 ? QStringLiteral("turnnew") : QStringLiteral("turn"));
}

void Sounds::gameOver() {
    playsounds(QStringLiteral("gameover"));
}

std::optional<QString> Sounds::playasound(const QByteArray& data,
                                          const std::function<QString(int seat)>& seatName) {
    const auto [seatText, rest] = cut(data);
    const QString name = QString::fromLatin1(cut(rest).first);
    if (prefs_.chatterSounds) {
        play(name);
        return std::nullopt;
    }
    bool ok = false;
    const int seat = seatText.toInt(&ok);
    const int k = sound::chatterNumber(name);
    if (!ok || seat < kFirstSeat || seat > kLastSeat || k == 0 || !seatName)
        return std::nullopt;
    return QStringLiteral("0+%1: <Chatter Sound> %2").arg(seatName(seat), sound::chatterCaption(k));
}

} // namespace zb
