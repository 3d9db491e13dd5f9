#pragma once
// Every picture of the game is drawn in code, so it stays crisp at any device pixel ratio and the
// program ships no bitmaps besides the download window's JPEG. Each function paints at
// logical size x dpr into a pixmap whose devicePixelRatio is dpr, so the pixmap's
// deviceIndependentSize() is the logical size asked for. Results are cached by kind, number, size
// and dpr; call them freely from paint code. Call them on the GUI thread only.

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QSize>

class QPainter;

namespace zb::pics {

// Logical sizes of the pictures as they sit on the table window.
inline constexpr QSize kDieSize{69, 70};         // dice1..dice5, image_bonus
inline constexpr QSize kBonusFrameSize{81, 105}; // image_bonusback; the die sits at (3, 4)
inline constexpr QPoint kBonusDieOffset{3, 4};
inline constexpr QSize kThrowSize{99, 24};      // image_throwdice and button_start
inline constexpr QSize kRollMarkerSize{20, 20}; // image_rolls1..3
inline constexpr QSize kEyesSize{22, 13};       // image_eyes1..4, beside a seat name
inline constexpr QSize kWinnerSize{240, 100};   // image_winner at (120, 68) behind label_winner
inline constexpr QSize kSmileySize{17, 16};     // smilies 10..27 in the chat
inline constexpr QSize kSmileyButtonSize{26, 20};
inline constexpr QSize kBannerSize{114, 22}; // banner picture under the chat view
inline constexpr QSize kPhraseSize{25, 19};  // b_phrase1..10
inline constexpr QSize kLogoSize{160, 64};   // the about box

inline constexpr int kFirstSmiley = 10;
inline constexpr int kLastSmiley = 27;
inline constexpr int kSmileyCount = kLastSmiley - kFirstSmiley + 1;
inline constexpr int kPhraseButtons = 10;

// Colours of the table window ($B3C8CC in the game's $00BBGGRR notation is RGB CC C8 B3).
inline constexpr QRgb kPanelRgb = 0xFFCCC8B3;  // main panel and chat view background
inline constexpr QRgb kWindowRgb = 0xFFFFFFFF; // the window around it
QColor panelColour();

// A die showing face 1..6; face 0 is a blank die. bonusStyle draws the bonus die's colour set.
// Faces outside 0..6 draw a blank die.
QPixmap dieFace(int face, bool bonusStyle, QSize logicalSize = kDieSize, qreal dpr = 1.0);

// The frame behind the bonus die, with its caption, drawn for a die at kBonusDieOffset.
QPixmap bonusFrame(QSize logicalSize = kBonusFrameSize, qreal dpr = 1.0);

// The throw picture ("Roll Dice") and the start picture ("Start Game").
QPixmap throwPicture(QSize logicalSize = kThrowSize, qreal dpr = 1.0);
QPixmap startPicture(QSize logicalSize = kThrowSize, qreal dpr = 1.0);

// Roll-count marker n (1..3) beside "Rolls"; any other n draws marker 1.
QPixmap rollMarker(int n, QSize logicalSize = kRollMarkerSize, qreal dpr = 1.0);

// The "just watching" marker beside a seat name.
QPixmap eyes(QSize logicalSize = kEyesSize, qreal dpr = 1.0);

// The winner picture behind the winner text on the board.
QPixmap winner(QSize logicalSize = kWinnerSize, qreal dpr = 1.0);

// Smiley number 10..27 as written ":)#10".. ":)#27"; any other number draws smiley 10.
QPixmap smiley(int number, QSize logicalSize = kSmileySize, qreal dpr = 1.0);
// The button that opens the smiley menu.
QPixmap smileyButton(QSize logicalSize = kSmileyButtonSize, qreal dpr = 1.0);

// The maker's banner under the chat view.
QPixmap banner(QSize logicalSize = kBannerSize, qreal dpr = 1.0);

// Picture of phrase button 1..10 (10 opens the chatter sounds); any other number draws button 1.
QPixmap phraseIcon(int button, QSize logicalSize = kPhraseSize, qreal dpr = 1.0);

// The program's logo for the about box.
QPixmap logo(QSize logicalSize = kLogoSize, qreal dpr = 1.0);

// A seamless tile of the table's background texture over base; tile it to fill any area.
QPixmap backgroundTile(QColor base = panelColour(), qreal dpr = 1.0);
// Fills rect with the background texture over base, aligned to the painter's origin.
void paintBackground(QPainter& painter, const QRect& rect, QColor base = panelColour());

// The window and application icon, at several sizes.
QIcon appIcon();

} // namespace zb::pics
