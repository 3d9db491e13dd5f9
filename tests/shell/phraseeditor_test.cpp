// The phrase editor round trip: phrases copied into the fields when it opens, back into the
// buttons and the settings file on "Done", nothing changed when it is closed otherwise, and what
// the next start reads back from a real settings file.

#include "controls/picturebutton.h"
#include "shell/phrasebuttons.h"
#include "shell/profilefile.h"
#include "shell/settings.h"
#include "shell/tphrases.h"
#include "support/corelogin.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using zb::PhraseButtons;
using zb::Settings;
using zb::Tphrases;

namespace {

QByteArray wire(const char* text) {
    return QByteArray(text) + '\xFF';
}

// One run of the program as far as the phrases go: a table window holding the buttons, the
// settings of the shared folder and the editor.
struct ProgramRun {
    explicit ProgramRun(const QString& folder) : settings(folder) {
        table.setGeometry(100, 80, 783, 512);
        buttons = new PhraseButtons(&table);
        buttons->move(PhraseButtons::kPlace);
        core.setSend([this](const QByteArray& m) { sent.push_back(m); });
        zbtest::logIn(core, 1);
        sent.clear();
        buttons->setSend(
            [this](const QString& p, const QString& c) { return core.sendPhrase(p, c); },
            [this](int wave) { return core.sendChatterSound(wave); });
        editor.attach(buttons, &settings);
    }
    ~ProgramRun() { editor.close(); }

    void readSettings() {
        settings.load();
        buttons->loadPhrases(settings.prefs());
    }
    QByteArray sendPhrase(int n) {
        sent.clear();
        QTest::mouseClick(buttons->b_phrase(n), Qt::LeftButton);
        for (int i = 0; i < 101; ++i)
            buttons->tick();
        return sent.empty() ? QByteArray() : sent.front();
    }

    std::vector<QByteArray> sent;
    zb::TableCore core;
    QWidget table;
    PhraseButtons* buttons = nullptr;
    Settings settings;
    Tphrases editor;
};

class PhraseEditorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path() const { return dir.filePath(QStringLiteral("quonlobby.ini")); }
    QString stored(const QString& key) const {
        return zb::ProfileFile::load(path()).value(u"Zorbinet", key, QStringLiteral("<absent>"));
    }
    void writeFile(const QByteArray& bytes) const {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir;
};

TEST_F(PhraseEditorTest, WindowHasItsCaptionFieldsAndLabels) {
    Tphrases editor; // as the program creates it, before anything is attached
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Phrase Buttons - Zorbinet"));
    EXPECT_TRUE(editor.isWindow());
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(n);
        ASSERT_NE(editor.phrase(n), nullptr);
        EXPECT_EQ(editor.phrase(n)->objectName(), QStringLiteral("phrase%1").arg(n));
        EXPECT_EQ(editor.phrase(n)->maxLength(), 50);
        EXPECT_EQ(editor.label(n)->text(), QStringLiteral("Phrase Button %1:").arg(n));
        EXPECT_TRUE(editor.label(n)->font().bold());
        EXPECT_EQ(editor.label(n)->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    }
    EXPECT_EQ(editor.phrase(0), nullptr);
    EXPECT_EQ(editor.phrase(10), nullptr);
    EXPECT_EQ(editor.SelButton8()->text(), QStringLiteral("Done"));
    // Opening and confirming with nothing attached must not fail.
    editor.PhraseList1Click();
    EXPECT_TRUE(editor.isVisible());
    editor.SelButton8Click();
    EXPECT_FALSE(editor.isVisible());
}

TEST_F(PhraseEditorTest, FieldsHoldAtMostFiftyCharacters) {
    Tphrases editor;
    editor.show();
    const QString sixty(60, QLatin1Char('x'));
    QTest::keyClicks(editor.phrase(4), sixty);
    EXPECT_EQ(editor.phrase(4)->text().size(), 50);
    editor.phrase(5)->setText(sixty);
    EXPECT_EQ(editor.phrase(5)->text().size(), 50);
    editor.close();
}

TEST_F(PhraseEditorTest, OpeningCopiesTheButtonsPhrasesAndCentresOnTheTable) {
    ProgramRun run(dir.path());
    run.table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&run.table));
    run.buttons->setPhrase(6, QStringLiteral("Yay"));
    run.editor.PhraseList1Click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&run.editor));
    EXPECT_EQ(run.editor.phrase(1)->text(), QStringLiteral("Way To Go!"));
    EXPECT_EQ(run.editor.phrase(6)->text(), QStringLiteral("Yay"));
    EXPECT_EQ(run.editor.phrase(9)->text(), QStringLiteral("Good Game Everyone!"));
    const QPoint offset = run.editor.geometry().center() - run.table.geometry().center();
    EXPECT_LE(offset.manhattanLength(), 1);
}

TEST_F(PhraseEditorTest, DoneWithFieldThreeEmptiedSendsEmptyPhraseUntilRestart) {
    {
        ProgramRun run(dir.path());
        run.readSettings();
        run.editor.PhraseList1Click();
        run.editor.phrase(3)->clear();
        run.editor.phrase(1)->setText(QStringLiteral("/me cheers"));
        QTest::mouseClick(run.editor.SelButton8(), Qt::LeftButton);
        EXPECT_FALSE(run.editor.isVisible());

        EXPECT_EQ(run.buttons->phrase(3), QString());
        EXPECT_EQ(run.buttons->b_phrase(3)->toolTip(), QString());
        EXPECT_EQ(run.sendPhrase(3), wire("CMD_action+1+says: |clBlack"));
        EXPECT_EQ(run.sendPhrase(1), wire("CMD_action+1+cheers|clBlack"));
    }
    // Every field is written, the empty one included.
    EXPECT_EQ(stored(QStringLiteral("Phrase3")), QString());
    EXPECT_EQ(stored(QStringLiteral("Phrase1")), QStringLiteral("/me cheers"));
    EXPECT_EQ(stored(QStringLiteral("Phrase9")), QStringLiteral("Good Game Everyone!"));

    ProgramRun restarted(dir.path());
    restarted.readSettings();
    EXPECT_EQ(restarted.buttons->phrase(3), QStringLiteral("Nice Try!"));
    EXPECT_EQ(restarted.sendPhrase(3), wire("CMD_action+1+says: Nice Try!|clBlack"));
    EXPECT_EQ(restarted.buttons->phrase(1), QStringLiteral("/me cheers"));
}

TEST_F(PhraseEditorTest, OpenedAfterASettingsReadShowsThePhrasesRead) {
    writeFile("[Other]\r\nPhrase2=not ours\r\n[zorbinet]\r\nphrase2=Hi there\r\nPhrase7=\r\n"
              "PHRASE9=/me bows\r\n");
    ProgramRun run(dir.path());
    run.readSettings();
    run.editor.PhraseList1Click();
    EXPECT_EQ(run.editor.phrase(2)->text(), QStringLiteral("Hi there"));
    EXPECT_EQ(run.editor.phrase(7)->text(), QStringLiteral("Thanks!"));
    EXPECT_EQ(run.editor.phrase(9)->text(), QStringLiteral("/me bows"));
    EXPECT_EQ(run.editor.phrase(1)->text(), QStringLiteral("Way To Go!"));
}

TEST_F(PhraseEditorTest, DoneKeepsTheRestOfTheFile) {
    const QByteArray before = "; lobby\r\n[Lobby]\r\nName=Ann\r\n[Zorbinet]\r\nTop=40\r\n";
    writeFile(before);
    ProgramRun run(dir.path());
    run.editor.PhraseList1Click();
    run.editor.SelButton8Click();
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray after = f.readAll();
    EXPECT_TRUE(after.startsWith(before));
    EXPECT_EQ(stored(QStringLiteral("Top")), QStringLiteral("40"));
    EXPECT_EQ(stored(QStringLiteral("Phrase5")), QStringLiteral("Brilliant!"));
}

TEST_F(PhraseEditorTest, ClosingOtherwiseChangesNothing) {
    ProgramRun run(dir.path());
    run.editor.PhraseList1Click();
    run.editor.phrase(2)->setText(QStringLiteral("changed"));
    run.editor.close();
    EXPECT_EQ(run.buttons->phrase(2), QStringLiteral("Good One!"));
    EXPECT_FALSE(QFile::exists(path()));
    // The next opening shows the buttons' phrases, not the abandoned edit.
    run.editor.PhraseList1Click();
    EXPECT_EQ(run.editor.phrase(2)->text(), QStringLiteral("Good One!"));
}

} // namespace
