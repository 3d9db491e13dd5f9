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


} // namespace
