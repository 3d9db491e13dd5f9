#include "side/installerfile.h"

#include "shell/settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>

namespace zb {
namespace {

// The tally's names, as the tally store writes them (the download window does not link it).
const QString kTallyFile = QStringLiteral("zorbinettally.tld");
const QString kTallyKeptAsBad = QStringLiteral("zorbinettally.tld.bad");

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

bool isReservedFileName(const QString& name) {
    const QString own[] = {QString::fromLatin1(Settings::kFileName),
                           kTallyFile,
                           kTallyKeptAsBad,
                           QStringLiteral("zorbinet"),
                           QStringLiteral("zorbinet-host"),
                           QFileInfo(QCoreApplication::applicationFilePath()).fileName()};
    return std::any_of(std::begin(own), std::end(own), [&](const QString& reserved) {
        return !reserved.isEmpty() && sameName(name, reserved);
    });
}

QString installerFileName(const QString& url) {
    const QString name = QUrl(url).fileName();
    const bool control = std::any_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control;
    });
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") || control ||
        isReservedFileName(name))
        return {};
    return name;
}

} // namespace zb
