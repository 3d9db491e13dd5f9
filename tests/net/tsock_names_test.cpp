// Info kind names, Winsock error numbers and names, and the name lookups behind Open and Listen.

#include "net/hostcache.h"
#include "net/tsock.h"

#include <QFile>
#include <arpa/inet.h>
#include <cerrno>
#include <gtest/gtest.h>

using zb::HostCache;
using zb::TSocketInfo;
using zb::winsockErrorFromErrno;
using zb::winsockErrorName;

namespace {

TEST(SocketInfoName, EightKindsInOrder) {
    const QStringList expected = {"Lookup",  "Connect", "Close",  "Listen",
                                  "Receive", "Send",    "Accept", "Error"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(zb::socketInfoName(static_cast<TSocketInfo>(i)), expected[i]) << i;
    EXPECT_EQ(static_cast<int>(TSocketInfo::siError), 7);
}

TEST(WinsockErrors, CommonSocketErrnosMapToTheirNumbersAndNames) {
    struct Case {
        int err;
        int code;
        const char* name;
    };
    const Case cases[] = {
        {ECONNREFUSED, 10061, "WSAECONNREFUSED"},
        {ECONNRESET, 10054, "WSAECONNRESET"},
        {ETIMEDOUT, 10060, "WSAETIMEDOUT"},
        {EADDRINUSE, 10048, "WSAEADDRINUSE"},
        {ECONNABORTED, 10053, "WSAECONNABORTED"},
        {ENETUNREACH, 10051, "WSAENETUNREACH"},
        {EHOSTUNREACH, 10065, "WSAEHOSTUNREACH"},
        {EWOULDBLOCK, 10035, "WSAEWOULDBLOCK"},
        {EINPROGRESS, 10036, "WSAEINPROGRESS"},
        {ENOTCONN, 10057, "WSAENOTCONN"},
        {EINTR, 10004, "WSAEINTR"},
        {EBADF, 10009, "WSAEBADF"},
        {EACCES, 10013, "WSAEACCES"},
        {EFAULT, 10014, "WSAEFAULT"},
        {EINVAL, 10022, "WSAEINVAL"},
        {EMFILE, 10024, "WSAEMFILE"},
        {ENOBUFS, 10055, "WSAENOBUFS"},
        {EADDRNOTAVAIL, 10049, "WSAEADDRNOTAVAIL"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(winsockErrorFromErrno(c.err), c.code) << c.name;
        EXPECT_EQ(winsockErrorName(c.code), QString::fromLatin1(c.name));
    }
}

TEST(WinsockErrors, WholeSocketRangeIsNamed) {
    for (int code = 10035; code <= 10071; ++code)
        EXPECT_NE(winsockErrorName(code), "UNKNOWN ERROR") << code;
    EXPECT_EQ(winsockErrorName(10035), "WSAEWOULDBLOCK");
    EXPECT_EQ(winsockErrorName(10050), "WSAENETDOWN");
    EXPECT_EQ(winsockErrorName(10067), "WSAEPROCLIM");
    EXPECT_EQ(winsockErrorName(10071), "WSAEREMOTE");
}

TEST(WinsockErrors, StartupAndResolverCodesAreNamed) {
    EXPECT_EQ(winsockErrorName(10091), "WSASYSNOTREADY");
    EXPECT_EQ(winsockErrorName(10092), "WSAVERNOTSUPPORTED");
    EXPECT_EQ(winsockErrorName(10093), "WSANOTINITIALISED");
    EXPECT_EQ(winsockErrorName(10101), "WSAEDISCON");
    EXPECT_EQ(winsockErrorName(11001), "WSAHOST_NOT_FOUND");
    EXPECT_EQ(winsockErrorName(11002), "WSATRY_AGAIN");
    EXPECT_EQ(winsockErrorName(11003), "WSANO_RECOVERY");
    EXPECT_EQ(winsockErrorName(11004), "WSANO_DATA");
}

TEST(WinsockErrors, OtherNumbersAreUnknown) {
    for (int code : {0, -1, 10000, 10005, 10034, 10072, 10090, 10094, 10100, 11000, 11005})
        EXPECT_EQ(winsockErrorName(code), "UNKNOWN ERROR") << code;
}

TEST(WinsockErrors, UnmappedErrnoStillReadsAsAnUnknownError) {
    EXPECT_EQ(winsockErrorFromErrno(0), 0);
    const int code = winsockErrorFromErrno(ENOENT);
    EXPECT_GT(code, 10000);
    EXPECT_EQ(winsockErrorName(code), "UNKNOWN ERROR");
}

TEST(PortLookup, NumbersAreTakenAsTheyAre) {
    EXPECT_EQ(zb::lookupPort("7772", false), 7772);
    EXPECT_EQ(zb::lookupPort("0", false), 0);
    EXPECT_EQ(zb::lookupPort("65535", false), 65535);
}

TEST(PortLookup, BadNumbersAndUnknownServicesNameNoPort) {
    EXPECT_FALSE(zb::lookupPort("65536", false));
    EXPECT_FALSE(zb::lookupPort("80x", false));
    EXPECT_FALSE(zb::lookupPort("", false));
    EXPECT_FALSE(zb::lookupPort("no-such-service-zb", false));
}

TEST(PortLookup, ServiceNamesComeFromTheServicesDatabase) {
    if (!QFile::exists("/etc/services"))
        GTEST_SKIP() << "no /etc/services on this machine";
    EXPECT_EQ(zb::lookupPort("http", false), 80);
    EXPECT_EQ(zb::lookupPort("domain", true), 53);
}

TEST(HostLookup, DottedAddressesAreParsed) {
    EXPECT_EQ(zb::lookupHost("127.0.0.1"), htonl(0x7f000001));
    EXPECT_EQ(zb::lookupHost("10.1.2.3"), htonl(0x0a010203));
    EXPECT_FALSE(zb::lookupHost("999.0.0.1"));
    EXPECT_FALSE(zb::lookupHost("1.2.3.4.5"));
}

TEST(HostCache, NamesMatchWithoutRegardToCase) {
    HostCache::clear();
    HostCache::insert("Players.Example", htonl(0x0a000001));
    EXPECT_EQ(HostCache::find("players.EXAMPLE"), htonl(0x0a000001));
    EXPECT_FALSE(HostCache::find("other.example"));
    EXPECT_EQ(HostCache::size(), 1);
    HostCache::clear();
    EXPECT_EQ(HostCache::size(), 0);
}

TEST(HostCache, ACachedNameIsNotAskedAgain) {
    // A name under .invalid never resolves, so only the cache can answer for it.
    HostCache::clear();
    HostCache::insert("table.invalid", htonl(0x7f000001));
    EXPECT_EQ(zb::lookupHost("TABLE.invalid"), htonl(0x7f000001));
    HostCache::clear();
    EXPECT_FALSE(zb::lookupHost("table.invalid"));
}

TEST(HostCache, ResolvedNamesAreRemembered) {
    HostCache::clear();
    ASSERT_TRUE(zb::lookupHost("localhost"));
    EXPECT_TRUE(HostCache::find("LOCALHOST"));
    EXPECT_FALSE(HostCache::find("127.0.0.1")) << "dotted addresses need no cache";
    zb::lookupHost("127.0.0.1");
    EXPECT_EQ(HostCache::size(), 1);
    HostCache::clear();
}

} // namespace
