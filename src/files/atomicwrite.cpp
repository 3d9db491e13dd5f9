#include "files/atomicwrite.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <unistd.h>
#include <utility>

namespace zb::files {
namespace {

WriteFault& faultSlot() {
    static WriteFault fault;
    return fault;
}

bool injected(WriteStep step) {
    return faultSlot() && faultSlot()(step);
}

QString failure(const QString& path, const QString& reason) {
    return QDir::toNativeSeparators(path) + QStringLiteral(" : ") + reason;
}

QString noSpace() {
    return qt_error_string(ENOSPC);
}

// A write that stops part way (the disk filled up during it) leaves Qt with no reason to give
// ("Unknown error"); the system's own is still in errno.
QString reason(const QSaveFile& out) {
    return errno != 0 ? qt_error_string(errno) : out.errorString();
}

// The data must be on the disk before the rename makes it the file: a file system that reports a
// full disk only when it writes back would otherwise lose the old file and the new one. File
// systems that cannot sync (EINVAL, EROFS) have nothing to lose.
bool syncToDisk(int fd, QString& reason) {
    if (::fsync(fd) == 0 || errno == EINVAL || errno == EROFS)
        return true;
    reason = qt_error_string(errno);
    return false;
}

} // namespace

WriteFault setWriteFault(WriteFault fault) {
    return std::exchange(faultSlot(), std::move(fault));
}

QString writeAtomically(const QString& path, QByteArrayView bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile out(path);
    if (injected(WriteStep::Open))
        return failure(path, noSpace());
    if (!out.open(QIODevice::WriteOnly))
        return failure(path, out.errorString());
    // The destructor of an uncommitted QSaveFile removes the temporary file; cancelWriting()
    // makes sure that nothing can commit it afterwards.
    auto cancel = [&](const QString& text) {
        out.cancelWriting();
        return failure(path, text);
    };
    if (injected(WriteStep::Write))
        return cancel(noSpace());
    errno = 0;
    if (out.write(bytes.data(), bytes.size()) != bytes.size())
        return cancel(reason(out));
    if (injected(WriteStep::Flush))
        return cancel(noSpace());
    errno = 0;
    if (!out.flush() || out.error() != QFileDevice::NoError)
        return cancel(reason(out));
    QString why;
    if (injected(WriteStep::Sync))
        return cancel(noSpace());
    if (!syncToDisk(out.handle(), why))
        return cancel(why);
    if (injected(WriteStep::Commit))
        return cancel(noSpace());
    if (!out.commit())
        return failure(path, out.errorString());
    return {};
}

} // namespace zb::files
