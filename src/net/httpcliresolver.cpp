#include "net/httpcliresolver.h"

#include "net/guard.h"
#include "net/hostcache.h"

#include <QFutureWatcher>
#include <QPromise>
#include <QTimer>

#include <atomic>
#include <system_error>
#include <thread>

#include <arpa/inet.h>

namespace zb {
namespace {

using Answer = std::optional<std::uint32_t>;

std::atomic<int> running{0};

Answer numericAddress(const QString& host) {
    in_addr parsed{};
    if (host.isEmpty() || !host.front().isDigit() ||
        inet_aton(host.toLatin1().constData(), &parsed) == 0)
        return std::nullopt;
    return parsed.s_addr;
}

} // namespace

HttpCliResolver::HttpCliResolver(QObject* parent) : QObject(parent) {}

HttpCliResolver::~HttpCliResolver() {
    cancel();
}

void HttpCliResolver::cancel() {
    ++generation_;
    answerPending_ = false;
    done_ = nullptr;
    if (watcher_) {
        // The thread keeps its promise and finishes alone; nobody listens any more.
        watcher_->disconnect(this);
        watcher_->deleteLater();
        watcher_ = nullptr;
    }
}

void HttpCliResolver::lookup(const QString& host, Resolved done) {
    cancel();
    done_ = std::move(done);
    host_ = host;
    const quint64 generation = generation_;
    Answer immediate = numericAddress(host);
    if (!immediate)
        immediate = HostCache::find(host);
    const bool dotted = !host.isEmpty() && host.front().isDigit();
    if (immediate || dotted || host.isEmpty() || running.load() >= kMaxRunning) {
        answerPending_ = true;
        QTimer::singleShot(0, this, [this, generation, immediate] {
            if (generation == generation_ && answerPending_)
                deliver(immediate);
        });
        return;
    }
    watcher_ = new QFutureWatcher<Answer>(this);
    QPromise<Answer> promise;
    watcher_->setFuture(promise.future());
    connect(watcher_, &QFutureWatcherBase::finished, this, [this, generation] {
        if (generation != generation_ || !watcher_)
            return;
        const QFuture<Answer> future = watcher_->future();
        const Answer address = future.resultCount() > 0 ? future.result() : Answer();
        watcher_->deleteLater();
        watcher_ = nullptr;
        if (address)
            HostCache::insert(host_, *address);
        deliver(address);
    });
    ++running;
    try {
        std::thread([promise = std::move(promise), name = host]() mutable {
            promise.start();
            promise.addResult(resolveWithPlatform(name));
            promise.finish();
            --running;
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the promise died unfinished, so the watcher reports a lookup
        // without an answer.
        --running;
    }
}

void HttpCliResolver::deliver(std::optional<std::uint32_t> address) {
    answerPending_ = false;
    Resolved done = std::exchange(done_, nullptr);
    if (done)
        guarded([&] { done(address); });
}

} // namespace zb
