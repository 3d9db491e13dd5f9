#pragma once
// Running a piece of a test in a child process of its own: with a private mount namespace (a
// small tmpfs that fills up, a folder made read-only), or under a limit of address space or
// file size. The child's verdict comes back as bytes; gtest assertions belong in the parent.
//
// Namespaces need root or unprivileged user namespaces; where neither is available the child
// says so and the test skips.

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>

namespace zbtest {

struct ChildResult {
    bool ran = false;  // false: the child could not set itself up (skip)
    int status = -1;   // the child's exit status, or -1 when it died by a signal
    QByteArray output; // what the body returned
};

namespace isolation_detail {

inline constexpr int kCannot = 77;

inline bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype at = 0;
    while (at < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + at, size_t(bytes.size() - at));
        if (n <= 0)
            return false;
        at += n;
    }
    return true;
}

inline bool writeText(const char* path, const std::string& text) {
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    ::close(fd);
    return ok;
}

// A mount namespace of the child's own: directly as root, else inside a user namespace that maps
// the user to root (which needs a single thread, which a forked child is).
inline bool privateMounts() {
    if (::unshare(CLONE_NEWNS) != 0) {
        const uid_t uid = ::geteuid();
        const gid_t gid = ::getegid();
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return false;
        writeText("/proc/self/setgroups", "deny");
        if (!writeText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !writeText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
            return false;
    }
    return ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

} // namespace isolation_detail

// Runs body in a forked child after setup (which returns false when it cannot be done). The
// body's bytes come back whole; its own exit is 0.
inline ChildResult runInChild(const std::function<bool()>& setup,
                              const std::function<QByteArray()>& body) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return {};
    if (pid == 0) {
        ::close(pipeFds[0]);
        if (!setup())
            ::_exit(isolation_detail::kCannot);
        // Nothing may return into the test program: it would go on running the tests here.
        try {
            const QByteArray out = body();
            ::_exit(isolation_detail::writeAll(pipeFds[1], out) ? 0 : 1);
        } catch (...) {
            ::_exit(2);
        }
    }
    ::close(pipeFds[1]);
    ChildResult result;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        result.output.append(buffer, n);
    }
    ::close(pipeFds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == isolation_detail::kCannot)
        return {};
    result.ran = true;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// folder (which must exist) becomes a tmpfs of the given size in the child.
inline ChildResult onSmallDisk(const QString& folder, qint64 bytes,
                               const std::function<QByteArray()>& body) {
    const QByteArray path = folder.toLocal8Bit();
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
    return runInChild(
        [&] {
            return isolation_detail::privateMounts() &&
                   ::mount("tmpfs", path.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                           options.c_str()) == 0;
        },
        body);
}

// folder (which must exist) becomes read-only in the child, root or not.
inline ChildResult onReadOnlyFolder(const QString& folder,
                                    const std::function<QByteArray()>& body) {
    const QByteArray path = folder.toLocal8Bit();
    return runInChild(
        [&] {
            return isolation_detail::privateMounts() &&
                   ::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0 &&
                   ::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                           nullptr) == 0;
        },
        body);
}

// The child may take at most `bytes` more address space than it holds at the start of body.
// Under AddressSanitizer, which reserves terabytes up front, there is no such limit (skip).
inline ChildResult withAddressSpaceLimit(qint64 bytes, const std::function<QByteArray()>& body) {
#if defined(__SANITIZE_ADDRESS__)
    (void)bytes;
    (void)body;
    return {};
#else
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    (void)bytes;
    (void)body;
    return {};
#endif
#endif
    return runInChild(
        [bytes] {
            long pages = 0;
            FILE* statm = std::fopen("/proc/self/statm", "r");
            if (!statm)
                return false;
            const bool read = std::fscanf(statm, "%ld", &pages) == 1;
            std::fclose(statm);
            if (!read)
                return false;
            const rlim_t now = rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE));
            const rlimit limit{now + rlim_t(bytes), now + rlim_t(bytes)};
            return ::setrlimit(RLIMIT_AS, &limit) == 0;
        },
        body);
#endif
}

// While it lives, no file this process writes can grow past `bytes`: a write beyond it fails with
// EFBIG, as one on a full disk fails with ENOSPC (SIGXFSZ, which would end the process, is
// ignored meanwhile). Runs everywhere, without privileges.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, old_.rlim_max};
        active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
    bool active_ = false;
};

} // namespace zbtest
