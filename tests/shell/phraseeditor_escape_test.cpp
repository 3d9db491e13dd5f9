// Escape in the phrase editor closes it as closing it any other way does: nothing is kept.

#include "shell/phrasebuttons.h"
#include "shell/tphrases.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(PhraseEditorEscape, EscapeInAFieldClosesTheEditorAndKeepsNothing) {
    QWidget table;
    auto* buttons = new zb::PhraseButtons(&table);
    zb::Tphrases editor;
    editor.attach(buttons, nullptr);
    const QString before = buttons->phrase(2);
    editor.PhraseList1Click();
    ASSERT_TRUE(editor.isVisible());
    editor.phrase(2)->setText(QStringLiteral("changed"));
    QTest::keyClick(editor.phrase(2), Qt::Key_Escape);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(buttons->phrase(2), before);
}

TEST(PhraseEditorEscape, OnlyAPlainEscapeCloses) {
    zb::Tphrases editor;
    editor.show();
    QTest::keyClick(editor.phrase(1), Qt::Key_Escape, Qt::ShiftModifier);
    QTest::keyClick(editor.phrase(1), Qt::Key_Return);
    EXPECT_TRUE(editor.isVisible());
    QTest::keyClick(&editor, Qt::Key_Escape);
    EXPECT_FALSE(editor.isVisible());
}

} // namespace
