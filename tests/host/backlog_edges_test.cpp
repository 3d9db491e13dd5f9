// The host's send backlog: a table that stops reading is cut off once more than
// kMaxSendBacklog waits for it, while one that reads takes the same traffic for ever. (The
// exact byte at which the cut comes is the kernel's buffers plus the limit, so only the cut
// itself and its absence can be pinned from outside.)

#include "hostfixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace hosttest;
using namespace std::chrono_literals;

namespace {

// A table that logs in and then reads only when told, with a receive buffer as small as the
// kernel allows.
class SlowTable {
public:
    explicit SlowTable(quint16 port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int small = 4096;
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(port);
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    }
    ~SlowTable() { ::close(fd_); }
    bool connected() const { return connected_; }
    bool send(const QByteArray& bytes) {
        return ::send(fd_, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL) == bytes.size();
    }
    // Reads what has arrived; the bytes read so far.
    qint64 read() {
        char buffer[65536];
        ssize_t n;
        while ((n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT)) > 0)
            read_ += n;
        return read_;
    }

private:
    int fd_ = -1;
    bool connected_ = false;
    qint64 read_ = 0;
};

class BacklogEdges : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        ann = &join("Ann");
        slow = std::make_unique<SlowTable>(port);
        ASSERT_TRUE(slow->connected());
        ASSERT_TRUE(zbtest::waitFor([&] { return server->players().inUse(2); }));
        // The host's side of the connection buffers as little as the kernel allows too, so what
        // waits for the table is almost all the host's own backlog.
        const int small = 4096;
        ::setsockopt(server->players()[2].connection->handle(), SOL_SOCKET, SO_SNDBUF, &small,
                     sizeof small);
        ASSERT_TRUE(slow->send("CMD_logininfo+2+1.0.4+Slow\xFF"));
        ASSERT_GE(ann->waitExact("CMD_newplayerinfo+2+Slow"), 0);
        zbtest::waitFor([&] { return slow->read() > 0 && server->queuedMessages() == 0; });
    }
    // Ann says one line of 60,000 letters, which the host relays to both tables.
    bool say() {
        const int mark = ann->count();
        ann->send(T("CMD_chat+1+" + QByteArray(60000, 'c') + "|c"));
        return ann->waitPrefix("CMD_chat+1+Ann chats: ", mark) >= 0;
    }
    bool slowIsIn() {
        zbtest::pump(std::chrono::milliseconds(5)); // the cut-off is queued
        return server->players().inUse(2);
    }

    TestClient* ann = nullptr;
    std::unique_ptr<SlowTable> slow;
};

constexpr qint64 kRelay = 60025; // "CMD_chat+1+Ann chats: ", the line, "|c" and the terminator

TEST_F(BacklogEdges, ATableBehindByLessThanTheLimitStaysAndCatchesUp) {
    static_assert(16 * kRelay < 1024 * 1024 - 64 * 1024);
    for (int i = 0; i < 16; ++i)
        ASSERT_TRUE(say()) << i;
    EXPECT_TRUE(slowIsIn()) << "about 960 KB behind";
    const qint64 before = slow->read();
    ASSERT_TRUE(zbtest::waitFor([&] { return slow->read() >= before + 15 * kRelay; }));
    // What it has read no longer counts: another 16 lines behind, it stays again.
    for (int i = 0; i < 16; ++i)
        ASSERT_TRUE(say()) << i;
    EXPECT_TRUE(slowIsIn());
    EXPECT_FALSE(ann->closed());
}

TEST_F(BacklogEdges, ATableThatStopsReadingIsCutOffPastTheLimit) {
    static_assert(19 * kRelay > 1024 * 1024 + 64 * 1024);
    for (int i = 0; i < 19 && slowIsIn(); ++i)
        ASSERT_TRUE(say()) << i;
    EXPECT_FALSE(slowIsIn()) << "about 1.1 MB behind";
    EXPECT_GE(ann->waitExact("CMD_playerdisconnected+2+Slow"), 0);
    EXPECT_FALSE(ann->closed());
    EXPECT_TRUE(server->players().inUse(1));
}

} // namespace

namespace {

// Words no handler knows take no queue room: a table may send any number of them.
TEST(QueueRoomEdges, UnknownWordsNeverFillAConnectionsQueue) {
    zb::rules::Random random{1};
    zb::TServer server([] { return 1; }, random);
    const int slot = server.attachLocal();
    QByteArray junk;
    for (int i = 0; i < 10 * zb::host::kMaxQueuedPerConnection; ++i)
        junk += T("CMD_nothing+" + QByteArray::number(i));
    server.feed(slot, junk + T("CMD_chat+1+still here|c"));
    EXPECT_TRUE(server.players().inUse(slot));
    EXPECT_EQ(server.queuedMessages(), 1);
}

} // namespace
