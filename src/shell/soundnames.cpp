#include "shell/soundnames.h"

#include <array>

namespace zb::sound {

namespace {

constexpr std::array<const char*, 12> kGameSounds{
    "dice",    "dice2",  "entered", "error", "fivekind", "gameover",
    "noscore", "scored", "setdice", "turn",  "turnnew",  "unsetdice",
};

constexpr std::array<const char*, kChatterCount + 1> kCaptions{
    "<Cancel>",       "Doh",          "Cough",  "Hello",   "Thank You", "Where have you been?",
    "Snoring",        "Sneezing",     "Sorry",  "Welcome", "Yeehaa",    "Yippee",
    "Oh No",          "Applause",     "Honk",   "Oooh",    "Razzberry", "Cheer",
    "Woman Laughing", "Man Laughing", "Crying",
};

QStringList buildNames() {
    QStringList list;
    for (const char* name : kGameSounds)
        list.append(QString::fromLatin1(name));
    for (int k = 1; k <= kChatterCount; ++k)
        list.append(chatterSoundName(k));
    return list;
}

} // namespace

const QStringList& names() {
    static const QStringList list = buildNames();
    return list;
}

QString canonicalName(QStringView name) {
    for (const QString& known : names()) {
        if (name.compare(known, Qt::CaseInsensitive) == 0)
            return known;
    }
    return {};
}

QString resourcePath(const QString& canonical) {
    return QStringLiteral(":/sounds/%1.wav").arg(canonical);
}

QString chatterCaption(int k) {
    if (k < 0 || k > kChatterCount)
        return {};
    return QString::fromLatin1(kCaptions[static_cast<size_t>(k)]);
}

QString chatterSoundName(int k) {
    if (k < 1 || k > kChatterCount)
        return {};
    return QStringLiteral("wave%1").arg(k);
}

int chatterNumber(QStringView name) {
    for (int k = 1; k <= kChatterCount; ++k) {
        if (name.compare(chatterSoundName(k), Qt::CaseInsensitive) == 0)
            return k;
    }
    return 0;
}

} // namespace zb::sound
