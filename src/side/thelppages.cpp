#include "side/thelppages.h"

namespace zb {
namespace {

const char* const kOverview = R"(
<p><b>Zorbinet</b> is a dice game for one to four players. Each turn you roll five dice up to
three times, keep the dice you like between rolls, and then write the roll into one of the twelve
boxes of your score card. A regular game is twelve rounds, so every box gets filled, and the highest
total wins.</p>
<p>Started on its own, Zorbinet plays a <b>solo game</b>: you sit at seat 1 as "You". In a
regular game you play against the computer player <b>Klot</b> alone (seat 2). In a team game the
computer plays the other three seats: Kling (seat 3) is your partner, Klot and Klick (seats 2 and
4) play against you. Started from the Quon77 Lobby, it plays a <b>multi-player game</b> with the
people you met there. There too the computer plays seat 2 while nobody sits there; in a regular
game empty seats 3 and 4 are left out, in a team game the computer plays every empty seat.</p>
<p>Beside the board you find the chat, where everybody at the table can talk, and the score card
with a column for each seat. Anybody who joins when all four seats are taken watches the game as
a <b>spy</b>: spies see every roll and can chat, but they do not play.</p>
<p>Your tally (View &gt; View Tally) keeps count of your games, wins, 5 of a Kinds and best
score, and of your games against the opponents you choose to follow.</p>
)";

const char* const kConnecting = R"(
<p><b>Solo game.</b> Start Zorbinet without anything on its command line. It opens its own game
host on this machine, seats you as "You" and shows the window that offers the Quon77 Lobby.
Click "Play Solo Game" and start the game with File &gt; Start Game or the Start Game button on
the board.</p>
<p><b>Multi-player game.</b> Open the Quon77 Lobby, meet other players there and start a table.
The lobby starts Zorbinet for every player at that table: one player's copy becomes the
<b>host</b>, and the others join it. You do not type any addresses yourself.</p>
<p><b>Hosting needs incoming connections.</b> The host listens on <b>TCP port 7772</b>. The other
players' copies connect to that port on the host's machine, so the host's firewall must let
Zorbinet accept incoming connections on port 7772, and a router in front of the host must forward
TCP port 7772 to it. Joining needs only outgoing connections to port 7772. If another program
already uses port 7772 on the host's machine, the chat says so: nobody can join until it is free.
A solo game uses port 7772 when it is free and any free port otherwise, since nobody joins it.</p>
<p>If joining fails, the chat says what it means and what to do (nobody hosting at that address,
a firewall, a mistyped address); File &gt; Join Again tries once more.</p>
<p>A table holds four players and five spies; anybody beyond them is told that the game is
full. Whoever joins takes the lowest free place: a seat while one is free, otherwise a place
as a spy.</p>
<p>A player whose copy has a different version of Zorbinet than the host's still gets a seat:
the chat tells that player, and the host's player, that the versions differ. The game goes on,
but copies of different versions may disagree, so every player should use the same version.</p>
<p>If the connection to the host is lost, Zorbinet tells you and closes; start it again from the
lobby.</p>
)";

const char* const kGamePlay = R"(
<p><b>Your turn.</b> When the board says it is your turn, click "Roll Dice". Click a die to hold
it (and click it again to let it go); held dice stay as they are on the next roll. You have up to
three rolls. Then click the box of your score card that the roll should go into. A roll may go
into any empty box: if it does not fit that box, the box scores 0 for good. With Options &gt;
Double Check for 0 Score the game asks before it writes a 0.</p>
<p><b>Starting a game.</b> Only the host's player starts games. A new game ends the one being
played for everybody, so Zorbinet asks first while a game runs. The start dialog offers two
variants, which can be played together (Tab moves between them, Space ticks one, Enter starts,
Esc closes the dialog):</p>
<ul>
<li><b>Team game</b>: seats 1 and 3 play together against seats 2 and 4, and the computer plays
every empty seat. Partners share one score card, so a box that one partner fills is filled for
both. A team game lasts six rounds: each partner plays six turns.</li>
<li><b>Bonus dice game</b>: at the start of every turn a bonus die is drawn and shown to
everybody. In the boxes Ones to Sixes, every die that matches the bonus die counts twice.</li>
</ul>
<p><b>Watching.</b> Options &gt; Just Watch hands your seat to the computer while you watch;
choose it again to play on. The host's player can also set a seat to watch, or remove a player
from the table: right-click the player's name on the score card. View &gt; Spy List shows the
spies.</p>
<p><b>Chat.</b> Type in the chat line and press Enter to send. A line that starts with /me is
sent as an action ("/me waves" shows "You waves"). After each roll or score the keyboard goes
back to the chat line, so you can keep talking. In the lobby window, Enter means "Play Solo
Game".</p>
<p><b>Keys.</b> The game can be played from the keyboard too; the menus list every key:</p>
<table cellspacing="0" cellpadding="2">
<tr><td><b>Ctrl+R</b> or <b>F2</b></td><td>roll the dice</td></tr>
<tr><td><b>Ctrl+1</b>, <b>Ctrl+2</b>, <b>Ctrl+3</b>, <b>Ctrl+4</b>, <b>Ctrl+5</b></td>
<td>hold or release die 1 to 5</td></tr>
<tr><td><b>Ctrl+Up</b>, <b>Ctrl+Down</b>, <b>Ctrl+Left</b>, <b>Ctrl+Right</b></td>
<td>move the cursor on the score card (left and right while the chat line is empty)</td></tr>
<tr><td><b>Ctrl+Enter</b></td><td>score the category under the cursor</td></tr>
<tr><td><b>Ctrl+0</b></td><td>answer "Yes" when asked about a zero score</td></tr>
<tr><td><b>F3</b></td><td>suggest a move (the coach)</td></tr>
<tr><td><b>Esc</b> or <b>Ctrl+L</b></td><td>back to the chat line (Esc also answers "No" when
asked about a zero score)</td></tr>
<tr><td><b>Ctrl+N</b></td><td>start a new game (the hosting player)</td></tr>
<tr><td><b>Ctrl+S</b></td><td>switch the chat's scrolling off and on</td></tr>
<tr><td><b>Ctrl+C</b></td><td>copy the text selected in the chat</td></tr>
<tr><td><b>F1</b></td><td>this help</td></tr>
<tr><td><b>Ctrl+Q</b></td><td>File &gt; Exit</td></tr>
<tr><td><b>Esc</b> in the tally, help, about, spy list or phrase window</td>
<td>close that window (the phrase window keeps no edits)</td></tr>
</table>
<p>Plain typing always goes to the chat line. While it is your turn, the empty boxes of your
column show in slanted figures what the dice would score there; Options &gt; Show Score Hints
turns this off.</p>
<p><b>The coach.</b> Game &gt; Suggest a Move (F3) shows the best move for your turn: the dice to
keep, marked on the board, or the box to score now, with the total you can expect at the end of
the game if you play on as well. Options &gt; Show Best Move shows it all through your turn. The
coach never plays for you and tells the other players nothing.</p>
<p><b>Computer players.</b> Options &gt; Computer Players chooses how the computer plays, from the
next game on (a game already running keeps its players). <b>Classic</b> is the computer player
Zorbinet has always had: it grabs a pattern when the dice show one and otherwise works towards
one box; it scores about 174 points a game on average (194 in a bonus dice game). <b>Expert</b>
plays every turn for the highest total it can expect and scores about 217 on average (259 in a
bonus dice game).</p>
<p><b>Speed.</b> Options &gt; Bot Speed sets how fast the computer players move.</p>
)";

const char* const kScoring = R"(
<p>The upper boxes count the dice of their number:</p>
<table cellspacing="0" cellpadding="2">
<tr><td><b>Ones</b> to <b>Sixes</b></td><td>the number times the dice showing it
(three 4s in Fours: 12)</td></tr>
<tr><td><b>Upper Total</b></td><td>the sum of Ones to Sixes</td></tr>
<tr><td><b>Bonus</b></td><td>35 when the Upper Total is more than 63 (64 or more)</td></tr>
</table>
<p>The lower boxes score patterns:</p>
<table cellspacing="0" cellpadding="2">
<tr><td><b>4 of a Kind</b></td><td>at least four dice alike: the sum of all five dice</td></tr>
<tr><td><b>Full House</b></td><td>three alike and a pair (or five alike): 25</td></tr>
<tr><td><b>Sm Straight</b></td><td>four in a row (1-2-3-4, 2-3-4-5 or 3-4-5-6): 30</td></tr>
<tr><td><b>Big Straight</b></td><td>five in a row (1-2-3-4-5 or 2-3-4-5-6): 40</td></tr>
<tr><td><b>5 of a Kind</b></td><td>all five dice alike: 50</td></tr>
<tr><td><b>Freebie</b></td><td>any roll: the sum of all five dice</td></tr>
<tr><td><b>Lower Total</b></td><td>the sum of the lower boxes</td></tr>
</table>
<p>Your total is the Upper Total, the Bonus and the Lower Total together. A roll that does not
fit the box you choose scores 0 there. A second 5 of a Kind earns nothing extra.</p>
<p>In a <b>bonus dice game</b> each die that matches the bonus die counts twice in Ones to Sixes:
with the bonus die 3, the roll 3 3 5 3 1 scores 18 in Threes. The lower boxes never look at
the bonus die.</p>
)";

const char* const kDocumentation = R"(
<p><b>Files.</b> Your chat colour and text size, the bot speed, the sound switches, the zero
check, your phrases and the window's place are kept in <b>quonlobby.ini</b>, which Zorbinet shares
with the Quon77 Lobby. Your tally is kept in <b>zorbinettally.tld</b>. Both live in Zorbinet's
folder, or in your own data folder when Zorbinet's folder cannot be written.</p>
<p><b>Sounds.</b> Options &gt; Play Sounds switches the game's sounds on and off, Turn Sound
chooses the sound of your turn, and Play Chatter Sounds decides whether the chatter sounds that
other players send are played or shown as a chat line.</p>
<p><b>Phrase buttons.</b> The small buttons under the score card send your stored phrases as
actions; View &gt; Phrase List edits them. The last button opens the chatter sounds.</p>
<p><b>Version history</b></p>
<ul>
<li><b>1.0.4</b>: the Quon77 Lobby can be downloaded and installed from the solo game; safer
downloads; this help.</li>
<li><b>1.0.3</b>: phrase buttons and chatter sounds.</li>
<li><b>1.0.2</b>: the tally of games against chosen opponents.</li>
<li><b>1.0.1</b>: spies, the spy list and Just Watch.</li>
<li><b>1.0.0</b>: the first Zorbinet: solo and multi-player games with chat.</li>
</ul>
)";

} // namespace

const std::array<HelpPage, kHelpPages + 1>& helpPages() {
    static const std::array<HelpPage, kHelpPages + 1> pages = {{
        {},
        {QStringLiteral("Overview"), QString::fromUtf8(kOverview)},
        {QStringLiteral("Connecting"), QString::fromUtf8(kConnecting)},
        {QStringLiteral("Game Play"), QString::fromUtf8(kGamePlay)},
        {QStringLiteral("Scoring"), QString::fromUtf8(kScoring)},
        {QStringLiteral("Documentation"), QString::fromUtf8(kDocumentation)},
    }};
    return pages;
}

} // namespace zb
