#include "files/regularfile.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zb::files {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

ReadFile refused(ReadFile::Status status, const QString& reason) {
    ReadFile result;
    result.status = status;
    result.reason = reason;
    return result;
}

} // namespace

ReadFile readRegularFile(const QString& path, qint64 maxSize) {
    // O_NONBLOCK: opening a FIFO without a writer returns at once instead of waiting for one.
    const Fd fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) // ENOTDIR: a file where a folder should be
            return {};
        return refused(ReadFile::Status::Failed, qt_error_string(errno));
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return refused(ReadFile::Status::Failed, qt_error_string(errno));
    if (!S_ISREG(info.st_mode))
        return refused(ReadFile::Status::NotRegular, QStringLiteral("not a regular file"));
    const QString tooLarge = QStringLiteral("larger than %1 bytes").arg(maxSize);
    if (info.st_size > maxSize)
        return refused(ReadFile::Status::TooLarge, tooLarge);

    // The size is only a hint: the file may grow while it is read, so the limit is kept here.
    ReadFile result;
    result.bytes.resize(qsizetype(info.st_size) + 1);
    qsizetype got = 0;
    for (;;) {
        if (got == result.bytes.size()) {
            if (got > maxSize)
                return refused(ReadFile::Status::TooLarge, tooLarge);
            result.bytes.resize(std::min<qsizetype>(got * 2 + 4096, qsizetype(maxSize) + 1));
        }
        const ssize_t n = ::read(fd.get(), result.bytes.data() + got, result.bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return refused(ReadFile::Status::Failed, qt_error_string(errno));
        if (n == 0)
            break;
        got += n;
    }
    if (got > maxSize)
        return refused(ReadFile::Status::TooLarge, tooLarge);
    result.bytes.resize(got);
    result.status = ReadFile::Status::Read;
    return result;
}

} // namespace zb::files
