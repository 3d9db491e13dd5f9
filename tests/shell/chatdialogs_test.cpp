// The real message boxes: they open without a nested event loop and answer through the callback.

#include "net/guard.h"
#include "shell/dialogs.h"
#include "support/wait.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>

namespace {

QMessageBox* openBox() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            return box;
    }
    return nullptr;
}

} // namespace

TEST(ChatDialogs, InformationReturnsAtOnceAndCallsBackWhenClosed) {
    QWidget parent;
    parent.show();
    bool closed = false;
    zb::standardDialogs().information(&parent, QStringLiteral("Zorbinet"),
                                      QStringLiteral("Cannot open Webpage"),
                                      [&] { closed = true; });
    EXPECT_FALSE(closed);
    ASSERT_TRUE(zbtest::waitFor([] { return openBox() != nullptr; }));
    QMessageBox* box = openBox();
    EXPECT_EQ(box->text(), QStringLiteral("Cannot open Webpage"));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Zorbinet"));
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    EXPECT_TRUE(zbtest::waitFor([&] { return closed; }));
    EXPECT_TRUE(zbtest::waitFor([] { return openBox() == nullptr; }));
}

TEST(ChatDialogs, InformationWithoutCallback) {
    zb::MessageBoxDialogs dialogs;
    dialogs.information(nullptr, QStringLiteral("Zorbinet"), QStringLiteral("Game is full"));
    ASSERT_TRUE(zbtest::waitFor([] { return openBox() != nullptr; }));
    openBox()->accept();
    EXPECT_TRUE(zbtest::waitFor([] { return openBox() == nullptr; }));
}

TEST(ChatDialogs, QuestionAnswersYesNoAndClosing) {
    zb::MessageBoxDialogs dialogs;
    for (const int how : {0, 1, 2}) { // Yes, No, closed otherwise
        std::optional<bool> answer;
        dialogs.question(nullptr, QStringLiteral("Zorbinet"), QStringLiteral("Sure?"),
                         [&](bool yes) { answer = yes; });
        ASSERT_TRUE(zbtest::waitFor([] { return openBox() != nullptr; }));
        QMessageBox* box = openBox();
        if (how == 0)
            QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
        else if (how == 1)
            QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
        else
            box->reject();
        ASSERT_TRUE(zbtest::waitFor([&] { return answer.has_value(); }));
        EXPECT_EQ(*answer, how == 0) << how;
        EXPECT_TRUE(zbtest::waitFor([] { return openBox() == nullptr; }));
    }
}

TEST(ChatDialogs, AThrowingCallbackIsCaughtByTheGuard) {
    zb::MessageBoxDialogs dialogs;
    QStringList reported;
    auto previous = zb::setErrorReporter([&](const QString& text) { reported << text; });
    bool ran = false;
    dialogs.information(nullptr, QStringLiteral("Zorbinet"), QStringLiteral("x"), [&] {
        ran = true;
        throw std::runtime_error("boom");
    });
    ASSERT_TRUE(zbtest::waitFor([] { return openBox() != nullptr; }));
    openBox()->accept();
    EXPECT_TRUE(zbtest::waitFor([&] { return ran; }));
    zb::setErrorReporter(previous);
    EXPECT_EQ(reported, QStringList{QStringLiteral("boom")});
}
