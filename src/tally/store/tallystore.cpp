#include "tallystore.h"

#include "quonstrgrid.h"
#include "tallyfile.h"
#include "tallymodel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zb {
namespace {

// The longest file that a text of tallyfile::kMaxText bytes can give: stored blocks throughout.
constexpr qint64 kMaxFile = 8 + (tallyfile::kMaxText / 32768 + 1) * (2 + 32769);

} // namespace

TallyStore::TallyStore(QString folder) : folder_(std::move(folder)) {}

QString TallyStore::path() const {
    return QDir(folder_).filePath(kFileName);
}

QString TallyStore::badPath() const {
    return path() + kBadSuffix;
}

QString TallyStore::load(TallyModel& model) {
    QFile file(path());
    if (!file.exists())
        return {};
    const QString name = QDir::toNativeSeparators(path());
    QString error;
    if (!file.open(QIODevice::ReadOnly)) {
        error = name + QStringLiteral(" : ") + file.errorString();
    } else if (const QByteArray data = file.read(kMaxFile + 1); data.size() > kMaxFile) {
        // Read with a limit rather than trusting the size: a device or pipe has none.
        error = tallyfile::tooLargeError();
    } else {
        const tallyfile::Decoded decoded = tallyfile::decode(data, name);
        TallyGrid grid;
        if (!decoded.ok())
            error = decoded.error;
        else if (QString textError = QuonStrgrid::read(decoded.text, grid); !textError.isEmpty())
            error = name + QStringLiteral(" : ") + textError;
        else
            error = model.load(std::move(grid));
    }
    badPending_ = !error.isEmpty();
    return error;
}

QString TallyStore::save(const TallyModel& model) {
    const QString name = QDir::toNativeSeparators(path());
    if (!QDir().mkpath(folder_))
        return name + QStringLiteral(" : the folder cannot be created");
    if (badPending_) {
        QFile::remove(badPath());
        if (QFile::exists(path()) && !QFile::rename(path(), badPath()))
            return name + QStringLiteral(" : the unreadable file cannot be kept as ") +
                   QFileInfo(badPath()).fileName();
        badPending_ = false;
    }
    QSaveFile file(path());
    if (!file.open(QIODevice::WriteOnly))
        return name + QStringLiteral(" : ") + file.errorString();
    const QByteArray data = tallyfile::encode(QuonStrgrid::write(model.grid()));
    if (file.write(data) != data.size() || !file.commit())
        return name + QStringLiteral(" : ") + file.errorString();
    return {};
}

} // namespace zb
