#pragma once
// Host-name lookup for the download client without blocking the GUI thread: the platform's
// resolver may take many seconds (or forever, on a broken network), so each lookup runs on a
// short-lived thread of its own and its answer is delivered back on the GUI thread. A lookup
// that is cancelled or outlived by its owner is left to finish alone; its answer is dropped.
// Answers go into TSock's process-wide host cache, so a name is looked up once per run.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

template <typename T> class QFutureWatcher;

namespace zb {

class HttpCliResolver : public QObject {
    Q_OBJECT
public:
    // IPv4 address in network byte order, or nothing when the name does not resolve.
    using Resolved = std::function<void(std::optional<std::uint32_t> address)>;

    // Lookups that may be stuck in the platform resolver at once, for the whole process; beyond
    // this a lookup fails at once instead of starting yet another thread.
    static constexpr int kMaxRunning = 4;

    explicit HttpCliResolver(QObject* parent = nullptr);
    ~HttpCliResolver() override;

    // Answers later, from the event loop, never inside this call. Replaces a running lookup.
    void lookup(const QString& host, Resolved done);
    void cancel();
    bool busy() const { return watcher_ != nullptr || answerPending_; }

private:
    void deliver(std::optional<std::uint32_t> address);

    QFutureWatcher<std::optional<std::uint32_t>>* watcher_ = nullptr;
    Resolved done_;
    QString host_;
    bool answerPending_ = false;
    quint64 generation_ = 0;
};

} // namespace zb
