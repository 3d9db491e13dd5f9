// The shell's bounds exactly at each and one past: the chat input's length, the text sizes the
// settings file and the chat accept, and the longest phrase the file and the editor keep.

#include "shell/chatpanel.h"
#include "shell/settings.h"
#include "shell/tphrases.h"
#include "support/fakedialogs.h"
#include "support/files.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(ChatInputEdges, TheInputHoldsAtMost32000Characters) {
    zbtest::FakeDialogs dialogs;
    zb::ChatPanel panel(nullptr, &dialogs);
    QString typed;
    panel.setSendLine([&](const QString& line, const QString&) {
        typed = line;
        return true;
    });
    for (const int length : {31999, 32000, 32001, 100000}) {
        panel.mychat()->setText(QString(length, u'x'));
        QTest::keyClick(panel.mychat(), Qt::Key_Return);
        EXPECT_EQ(typed.size(), std::min(length, 32000)) << length;
    }
}

TEST(ChatInputEdges, TheChatTextSizeIsOneTo144Points) {
    zbtest::FakeDialogs dialogs;
    zb::ChatPanel panel(nullptr, &dialogs);
    for (const auto& [asked, got] :
         {std::pair{0, 1}, {1, 1}, {2, 2}, {143, 143}, {144, 144}, {145, 144}, {-5, 1}}) {
        panel.setTextSize(asked);
        EXPECT_EQ(panel.textSize(), got) << asked;
    }
}

class SettingsEdges : public ::testing::Test {
protected:
    const zb::Preferences& load(const QByteArray& section) {
        EXPECT_TRUE(
            zbtest::writeFile(dir.filePath(zb::Settings::kFileName), "[Zorbinet]\n" + section));
        settings = std::make_unique<zb::Settings>(dir.path());
        settings->load();
        return settings->prefs();
    }
    QTemporaryDir dir;
    std::unique_ptr<zb::Settings> settings;
};

TEST_F(SettingsEdges, TextSizesFromOneTo72AreReadOthersAreTheDefault) {
    for (const auto& [text, size] :
         {std::pair{"0", 8}, {"1", 1}, {"2", 2}, {"71", 71}, {"72", 72}, {"73", 8}, {"-1", 8}}) {
        EXPECT_EQ(load(QByteArray("Textsize=") + text + "\n").textSize, size) << text;
    }
}

TEST_F(SettingsEdges, APhraseKeepsFiftyCharacters) {
    for (const int length : {0, 1, 49, 50, 51}) {
        const QByteArray phrase(length, 'p');
        const zb::Preferences& p = load("Phrase4=" + phrase + "\n");
        EXPECT_EQ(p.phrases[4], QString(std::min(length, 50), u'p')) << length;
    }
    // What the editor stores is cut the same way.
    load("");
    std::array<QString, zb::Preferences::kPhraseKeys + 1> phrases{};
    phrases[9] = QString(51, u'q');
    ASSERT_TRUE(settings->savePhrases(phrases));
    EXPECT_EQ(settings->prefs().phrases[9], QString(50, u'q'));
}

TEST(PhraseEditorEdges, EachFieldHoldsFiftyCharacters) {
    zb::Tphrases editor;
    for (int n = 1; n <= 9; ++n) {
        editor.phrase(n)->setText(QString(50 + n % 2, u'f'));
        EXPECT_EQ(editor.phrase(n)->text().size(), 50) << n;
    }
}

} // namespace
