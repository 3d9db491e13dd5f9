// What the player's words become on the wire: typed chat lines and phrase buttons.

#include "table/core/chatmessages.h"

#include <gtest/gtest.h>

using zb::chatLineMessage;
using zb::phraseMessage;

namespace {

QByteArray wire(const char* text) {
    return QByteArray(text) + '\xFF';
}

// --- The message a phrase becomes ---------------------------------------------------------------

TEST(PhraseMessage, OrdinaryPhraseIsSaid) {
    EXPECT_EQ(phraseMessage(2, QStringLiteral("Way To Go!"), QStringLiteral("clRed")),
              wire("CMD_action+2+says: Way To Go!|clRed"));
}

TEST(PhraseMessage, MeWithBlankIsTheActionItself) {
    EXPECT_EQ(phraseMessage(3, QStringLiteral("/me dances"), QStringLiteral("clBlack")),
              wire("CMD_action+3+dances|clBlack"));
    EXPECT_EQ(phraseMessage(3, QStringLiteral("/me "), QStringLiteral("clBlack")),
              wire("CMD_action+3+|clBlack"));
}

TEST(PhraseMessage, MeWithoutBlankOrInOtherCaseIsSaid) {
    EXPECT_EQ(phraseMessage(1, QStringLiteral("/medances"), QStringLiteral("clBlack")),
              wire("CMD_action+1+says: /medances|clBlack"));
    EXPECT_EQ(phraseMessage(1, QStringLiteral("/me"), QStringLiteral("clBlack")),
              wire("CMD_action+1+says: /me|clBlack"));
    EXPECT_EQ(phraseMessage(1, QStringLiteral("/ME dances"), QStringLiteral("clBlack")),
              wire("CMD_action+1+says: /ME dances|clBlack"));
    EXPECT_EQ(phraseMessage(1, QStringLiteral(" /me dances"), QStringLiteral("clBlack")),
              wire("CMD_action+1+says:  /me dances|clBlack"));
}

TEST(PhraseMessage, EmptyPhraseSaysNothing) {
    EXPECT_EQ(phraseMessage(4, QString(), QStringLiteral("$00112233")),
              wire("CMD_action+4+says: |$00112233"));
}

TEST(PhraseMessage, TextThatCouldEndTheMessageIsMasked) {
    // U+00FF would be the terminator byte; the euro sign has no Latin-1 form.
    const QString phrase = QStringLiteral("a") + QChar(0x00FF) +
                           QStringLiteral("CMD_kickhim+1+2+") + QChar(0x20AC) +
                           QStringLiteral(" caf") + QChar(0x00E9);
    const QByteArray message = phraseMessage(2, phrase, QStringLiteral("clBlack"));
    EXPECT_EQ(message, QByteArray("CMD_action+2+says: a?CMD_kickhim+1+2+? caf\xE9|clBlack\xFF"));
    EXPECT_EQ(message.count('\xFF'), 1);
}

TEST(ChatLineMessage, SaidActedOrNothing) {
    EXPECT_EQ(chatLineMessage(2, QStringLiteral("hi + you"), QStringLiteral("clRed")),
              wire("CMD_chat+2+hi + you|clRed"));
    EXPECT_EQ(chatLineMessage(4, QStringLiteral("/me waves"), QStringLiteral("clRed")),
              wire("CMD_action+4+waves|clRed"));
    // The action is what follows the three letters and one more character, blank or not.
    EXPECT_EQ(chatLineMessage(4, QStringLiteral("/meow hi"), QStringLiteral("clRed")),
              wire("CMD_action+4+w hi|clRed"));
    EXPECT_EQ(chatLineMessage(4, QStringLiteral("/me"), QStringLiteral("clRed")),
              wire("CMD_action+4+|clRed"));
    for (const char* other : {"/help", "/", "/Me waves", "/m"})
        EXPECT_TRUE(chatLineMessage(1, QString::fromLatin1(other), QStringLiteral("x")).isEmpty())
            << other;
    EXPECT_EQ(chatLineMessage(1, QStringLiteral(" /help"), QStringLiteral("x")),
              wire("CMD_chat+1+ /help|x"));
}

TEST(ChatLineMessage, TypedTextIsLatin1AndCannotEndTheMessage) {
    const QByteArray m = chatLineMessage(3, QString::fromUtf8("caf\u00e9 \u00ff\u20ac"),
                                         QString::fromUtf8("\u00ff"));
    EXPECT_EQ(m, QByteArray("CMD_chat+3+caf\xE9 ??|?\xFF"));
}

} // namespace
