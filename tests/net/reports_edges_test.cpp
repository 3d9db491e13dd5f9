// A peer report's line at exactly its longest and one character past it.

#include "net/peerreports.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

TEST(PeerReportEdges, ALineOfExactlyTheLongestIsNotCut) {
    QStringList lines;
    const zb::ErrorReporter previous =
        zb::setPeerReporter([&](const QString& line) { lines << line; });
    const QString source = QStringLiteral("slot 4");
    const qsizetype room = zb::kMaxReportLineChars - source.size() - 2; // "slot 4: "
    for (const qsizetype length : {room - 1, room, room + 1}) {
        zb::PeerReports reports;
        reports.setSource(source);
        reports.report(QString(length, u'r'));
    }
    zb::setPeerReporter(previous);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].size(), zb::kMaxReportLineChars - 1);
    EXPECT_EQ(lines[1], source + ": " + QString(room, u'r'));
    EXPECT_EQ(lines[2], source + ": " + QString(room, u'r') + "...");
}

} // namespace
