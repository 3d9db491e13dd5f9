// The installer's file name at the edges of the characters it may hold: control characters at
// both ends of their ranges are refused, the first printable ones are kept.

#include "side/installerfile.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallerNameEdges, ControlCharactersAtBothEndsAreRefused) {
    const struct {
        const char* path;
        const char* name; // empty: refused
    } cases[] = {
        {"/a%00b.exe", ""},
        {"/a%1Fb.exe", ""},
        {"/a%20b.exe", "a b.exe"},
        {"/a%7Eb.exe", "a~b.exe"},
        {"/a%7Fb.exe", ""},
        {"/a%C2%85b.exe", ""},
        {"/a%C2%A0b.exe", "a\u00A0b.exe"},
        {"/.", ""},
        {"/..", ""},
        {"/...", "..."},
        {"/x", "x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zb::installerFileName(QStringLiteral("http://h") + QString::fromLatin1(c.path)),
                  QString::fromUtf8(c.name))
            << c.path;
}

} // namespace
