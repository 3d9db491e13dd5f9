#include "tallystore.h"

#include "quonstrgrid.h"
#include "tallyfile.h"
#include "tallymodel.h"

#include "files/atomicwrite.h"
#include "files/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace zb {
namespace {

// The longest file that a text of tallyfile::kMaxText bytes can give: stored blocks throughout.
constexpr qint64 kMaxFile = 8 + (tallyfile::kMaxText / 32768 + 1) * (2 + 32769);

} // namespace

TallyStore::TallyStore(files::DataPlace place) : place_(std::move(place)) {}

QString TallyStore::path() const {
    return place_.writePath(kFileName);
}

QString TallyStore::readPath() const {
    return place_.readPath(kFileName);
}

QString TallyStore::badPath() const {
    return path() + kBadSuffix;
}

QString TallyStore::load(TallyModel& model) {
    const QString name = QDir::toNativeSeparators(readPath());
    // Read with a limit rather than trusting the size, and only a regular file: a FIFO in its
    // place would hold up the start for ever.
    const files::ReadFile file = files::readRegularFile(readPath(), kMaxFile);
    QString error;
    switch (file.status) {
    case files::ReadFile::Status::Missing:
        return {};
    case files::ReadFile::Status::TooLarge:
        error = tallyfile::tooLargeError();
        break;
    case files::ReadFile::Status::NotRegular:
    case files::ReadFile::Status::Failed:
        error = name + QStringLiteral(" : ") + file.reason;
        break;
    case files::ReadFile::Status::Read: {
        const tallyfile::Decoded decoded = tallyfile::decode(file.bytes, name);
        TallyGrid grid;
        if (!decoded.ok())
            error = decoded.error;
        else if (QString textError = QuonStrgrid::read(decoded.text, grid); !textError.isEmpty())
            error = name + QStringLiteral(" : ") + textError;
        else
            error = model.load(std::move(grid));
        break;
    }
    }
    badPending_ = !error.isEmpty();
    return error;
}

QString TallyStore::save(const TallyModel& model) {
    const QString name = QDir::toNativeSeparators(path());
    if (!QDir().mkpath(place_.folder))
        return name + QStringLiteral(" : the folder cannot be created");
    if (badPending_) {
        // An unreadable file read from the fallback stays where it is; only the folder's own is
        // moved aside. A plain rename: QFile::rename would fall back on copying, which reads.
        QFile::remove(badPath());
        const bool present = QFileInfo(path()).exists() || QFileInfo(path()).isSymLink();
        if (present && std::rename(QFile::encodeName(path()).constData(),
                                   QFile::encodeName(badPath()).constData()) != 0)
            return name + QStringLiteral(" : the unreadable file cannot be kept as ") +
                   QFileInfo(badPath()).fileName();
        badPending_ = false;
    }
    return files::writeAtomically(path(), tallyfile::encode(QuonStrgrid::write(model.grid())));
}

} // namespace zb
