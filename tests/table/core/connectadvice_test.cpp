// What a failed connection means, told before the socket's own report.

#include "table/core/connectadvice.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* report;
    const char* advice;
};

TEST(ConnectAdvice, EachKindOfFailureSaysWhatItMeansAndWhatToDo) {
    const Case cases[] = {
        {"Error #10061 (WSAECONNREFUSED)",
         "Nobody is hosting a game at 192.0.2.10 on port 7772, or a firewall blocks it. Ask the "
         "host to start the game. Then choose File > Join Again."},
        {"Error #10060 (WSAETIMEDOUT)",
         "192.0.2.10 did not answer on port 7772: it may be off line, or a firewall drops the "
         "connection. Then choose File > Join Again."},
        {"Error #10065 (WSAEHOSTUNREACH)",
         "There is no way to 192.0.2.10 from this machine: check the address and the network "
         "connection. Then choose File > Join Again."},
        {"Error #10051 (WSAENETUNREACH)",
         "There is no way to 192.0.2.10 from this machine: check the address and the network "
         "connection. Then choose File > Join Again."},
        {"Host Lookup - Could Not Find Host Entry",
         "No computer is known by the name 192.0.2.10: check how the address is spelt. Then "
         "choose File > Join Again."},
        {"Error #10054 (WSAECONNRESET)",
         "The connection to 192.0.2.10 failed. Then choose File > Join Again."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zb::joinFailureAdvice("192.0.2.10", "7772", c.report), c.advice) << c.report;
}

TEST(ConnectAdvice, ATakenPortIsNamed) {
    EXPECT_EQ(zb::portTakenAdvice("7772"), "Port 7772 is already in use on this machine, perhaps "
                                           "by another game; nobody can join this one.");
}

} // namespace
