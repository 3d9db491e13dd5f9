// The settings file as the table window uses it: read when the host confirms the local player,
// every key applied to the window and its menu, the bot speed told to the host from seat 1,
// written at once when a preference changes through the menu, and written by closing only after
// a read and only when the window was moved or resized.

#include "tablefixture.h"

#include "shell/phrasebuttons.h"
#include "shell/profilefile.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

using namespace zbtest;

namespace {

class SettingsWiringTest : public TableTest {
protected:
    // Joins in the seat and has the host confirm the player, which reads the file.
    void confirmed(int seat = 2, bool hosting = false) {
        open("Ann", hosting);
        login(seat);
        feed("CMD_newplayerinfo+" + QByteArray::number(seat) + "+Ann\xFF");
        ASSERT_TRUE(table->settings().isLoaded());
    }

    QString stored(const QString& key) const {
        return zb::ProfileFile::load(settingsPath()).value(u"Zorbinet", key, "<absent>");
    }

    // Ticks of "Text Size" 8, 10, 12, 14.
    std::array<bool, 4> sizeTicks() const {
        std::array<bool, 4> ticks{};
        for (std::size_t i = 0; i < 4; ++i)
            ticks[i] = table->menu().textSizes[i]->isChecked();
        return ticks;
    }

    bool movedTo(const QRect& bounds) {
        return waitFor([&] { return table->frameGeometry() == bounds; }, 3s);
    }

    zb::MainMenu& menu() { return table->menu(); }
};

using Ticks = std::array<bool, 4>;

// ---- Reading -----------------------------------------------------------------------------------

TEST_F(SettingsWiringTest, NothingIsReadBeforeTheHostConfirmsThePlayer) {
    writeSettings("[Zorbinet]\r\nTextsize=14\r\nPlaysounds=false\r\n");
    open();
    login(2);
    EXPECT_FALSE(table->settings().isLoaded());
    EXPECT_TRUE(menu().PlaySounds1->isChecked());
    EXPECT_EQ(table->chatPanel()->textSize(), 10);
    EXPECT_EQ(table->botSpeed(), 750);
    EXPECT_EQ(table->storedbounds(), QRect(0, 0, 0, 0));
}

TEST_F(SettingsWiringTest, ReadingAppliesEveryKey) {
    writeSettings("[Zorbinet]\r\n"
                  "Left=40\r\nTop=30\r\nWidth=800\r\nHeight=520\r\n"
                  "Textsize=12\r\nTextcolor=clRed\r\nActioncolor=clGreen\r\n"
                  "Phrase1=Hi all\r\nPhrase3=\r\nPhrase9=/me cheers\r\n"
                  "Botspeed=500\r\nPlaysounds=false\r\nDoublecheck=true\r\nTurnsound=1\r\n"
                  "ChatterSounds=false\r\n");
    confirmed(2);
    EXPECT_TRUE(movedTo(QRect(40, 30, 800, 520)));
    EXPECT_EQ(table->storedbounds(), QRect(40, 30, 800, 520));
    EXPECT_EQ(table->chatPanel()->textSize(), 12);
    EXPECT_EQ(sizeTicks(), Ticks({false, false, true, false}));
    EXPECT_EQ(table->chatPanel()->chatColorText(), "clRed") << "Actioncolor is not read";
    EXPECT_EQ(table->phraseButtons()->chatColor(), zb::color::kRed);
    zb::PhraseButtons* phrases = table->phraseButtons();
    EXPECT_EQ(phrases->phrase(1), "Hi all");
    EXPECT_EQ(phrases->phrase(2), "Good One!");
    EXPECT_EQ(phrases->phrase(3), "Nice Try!") << "an empty phrase key keeps the button's phrase";
    EXPECT_EQ(phrases->phrase(9), "/me cheers");
    EXPECT_TRUE(menu().Fast1->isChecked());
    EXPECT_FALSE(menu().Normal1->isChecked());
    EXPECT_EQ(table->botSpeed(), 500);
    EXPECT_FALSE(menu().PlaySounds1->isChecked());
    EXPECT_TRUE(menu().doubleCheck->isChecked());
    EXPECT_TRUE(menu().New1->isChecked());
    EXPECT_FALSE(menu().Classic1->isChecked());
    EXPECT_FALSE(menu().PlayChatterSounds1->isChecked());
    EXPECT_TRUE(sentSoFar().isEmpty()) << "only seat 1 tells the host its bot speed";
    EXPECT_EQ(settingsFile().count("Top="), 1) << "reading writes nothing";
}

TEST_F(SettingsWiringTest, MissingKeysTakeTheirChainedDefaults) {
    writeSettings("[Zorbinet]\r\nPlaysounds=false\r\n");
    confirmed();
    EXPECT_FALSE(menu().PlaySounds1->isChecked());
    EXPECT_FALSE(menu().doubleCheck->isChecked()) << "Doublecheck takes the Playsounds text";
    EXPECT_TRUE(menu().PlayChatterSounds1->isChecked());
    EXPECT_TRUE(menu().Classic1->isChecked());
}

TEST_F(SettingsWiringTest, WithoutAFileTheSwitchesComeOnAndTheTextIsSmall) {
    QFile::remove(settingsPath());
    confirmed();
    EXPECT_TRUE(menu().PlaySounds1->isChecked());
    EXPECT_TRUE(menu().doubleCheck->isChecked());
    EXPECT_TRUE(menu().PlayChatterSounds1->isChecked());
    EXPECT_TRUE(menu().Normal1->isChecked());
    EXPECT_EQ(table->botSpeed(), 1000);
    EXPECT_EQ(table->chatPanel()->textSize(), 8);
    EXPECT_EQ(sizeTicks(), Ticks({true, false, false, false}));
    EXPECT_TRUE(movedTo(QRect(3, 3, 783, 512)));
    EXPECT_FALSE(QFile::exists(settingsPath()));
}

TEST_F(SettingsWiringTest, AnUnlistedBotSpeedReadsAsNormal) {
    writeSettings("[Zorbinet]\r\nBotspeed=750\r\n");
    confirmed();
    EXPECT_TRUE(menu().Normal1->isChecked());
    EXPECT_FALSE(menu().Slow1->isChecked());
    EXPECT_FALSE(menu().Fast1->isChecked());
    EXPECT_EQ(table->botSpeed(), 1000);
}

TEST_F(SettingsWiringTest, ASizeWithoutAMenuEntryTicksNoneAndIsWrittenBack) {
    writeSettings("[Zorbinet]\r\nTextsize=11\r\n");
    confirmed();
    EXPECT_EQ(table->chatPanel()->textSize(), 11);
    EXPECT_EQ(sizeTicks(), Ticks({false, false, false, false}));
    menu().PlaySounds1->trigger();
    EXPECT_EQ(stored("Textsize"), "11");
}

TEST_F(SettingsWiringTest, TheTextColourIsUsedForTheInputLineAndUnreadableOnesAreBlack) {
    writeSettings("[Zorbinet]\r\nTextcolor=$00FF0000\r\n");
    confirmed();
    EXPECT_EQ(table->chatPanel()->chatColor(), zb::color::kBlue);
    EXPECT_TRUE(table->chatPanel()->mychat()->styleSheet().contains("#0000ff"));
}

TEST_F(SettingsWiringTest, AnUnreadableTextColourIsBlack) {
    writeSettings("[Zorbinet]\r\nTextcolor=not a colour\r\n");
    confirmed();
    EXPECT_EQ(table->chatPanel()->chatColor(), zb::color::kBlack);
    menu().PlaySounds1->trigger();
    EXPECT_EQ(stored("Textcolor"), "clBlack");
}

TEST_F(SettingsWiringTest, SeatOneTellsTheHostItsBotSpeed) {
    writeSettings("[Zorbinet]\r\nBotspeed=1500\r\n");
    open("Ann", true);
    login(1);
    feed("CMD_newplayerinfo+1+Ann\xFF");
    ASSERT_TRUE(host.waitForMessage());
    pump(30ms);
    EXPECT_EQ(host.take(), QList<QByteArray>({"CMD_botspeed+1+1500+"}));
    EXPECT_TRUE(host.raw().endsWith(QByteArray("CMD_botspeed+1+1500+\xFF")));
    EXPECT_TRUE(menu().Slow1->isChecked());
}

TEST_F(SettingsWiringTest, ADamagedSizeCannotMakeTheWindowHuge) {
    writeSettings("[Zorbinet]\r\nLeft=10\r\nTop=10\r\nWidth=2000000000\r\nHeight=-40\r\n");
    confirmed();
    const QSize desktop = table->screen()->virtualSize();
    EXPECT_TRUE(waitFor([&] { return table->frameGeometry().topLeft() == QPoint(10, 10); }));
    EXPECT_LE(table->frameGeometry().width(), std::max(desktop.width(), 783));
    EXPECT_GE(table->centralWidget()->height(), 324);
}

// ---- Writing when a preference changes ---------------------------------------------------------

TEST_F(SettingsWiringTest, BeforeTheReadAChangeWritesOnlyItsOwnKey) {
    writeSettings("[Zorbinet]\r\nTextsize=14\r\nBotspeed=500\r\n");
    open();
    menu().PlaySounds1->trigger();
    EXPECT_EQ(settingsFile(), "[Zorbinet]\r\nTextsize=14\r\nBotspeed=500\r\nPlaysounds=false\r\n");
    menu().textSizes[2]->trigger(); // 12
    EXPECT_EQ(stored("Textsize"), "12");
    EXPECT_EQ(stored("Textcolor"), "<absent>") << "a size is no colour";
    menu().Slow1->trigger();
    EXPECT_EQ(settingsFile(), "[Zorbinet]\r\nTextsize=12\r\nBotspeed=1500\r\nPlaysounds=false\r\n");
}

TEST_F(SettingsWiringTest, AColourChosenBeforeTheReadWritesOnlyTheColour) {
    writeSettings("[Zorbinet]\r\nTextsize=14\r\n");
    open();
    menu().TextColor1->trigger();
    QColorDialog* dialog = table->chatPanel()->colorDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->setCurrentColor(QColor(0, 0, 0x80));
    dialog->accept();
    EXPECT_EQ(settingsFile(), "[Zorbinet]\r\nTextsize=14\r\nTextcolor=clNavy\r\n");
    EXPECT_EQ(table->phraseButtons()->chatColor(), zb::color::kNavy);
}

TEST_F(SettingsWiringTest, AfterTheReadEveryChangeWritesEveryKey) {
    writeSettings("; the lobby's own\r\n[Lobby]\r\nNick=Ann\r\n[Zorbinet]\r\nLeft=40\r\nTop=30\r\n"
                  "Width=800\r\nHeight=520\r\n");
    confirmed();
    ASSERT_TRUE(movedTo(QRect(40, 30, 800, 520)));
    table->move(60, 50);
    ASSERT_TRUE(movedTo(QRect(60, 50, 800, 520)));
    menu().Fast1->trigger();
    EXPECT_EQ(stored("Botspeed"), "500");
    EXPECT_EQ(stored("Left"), "60") << "every write stores the window's place";
    EXPECT_EQ(stored("Top"), "50");
    EXPECT_EQ(stored("Width"), "800");
    EXPECT_EQ(stored("Height"), "520");
    EXPECT_EQ(stored("Textsize"), "8");
    EXPECT_EQ(stored("Textcolor"), "clBlack");
    EXPECT_EQ(stored("Playsounds"), "true");
    EXPECT_EQ(stored("Doublecheck"), "true");
    EXPECT_EQ(stored("Turnsound"), "0");
    EXPECT_EQ(stored("ChatterSounds"), "true");
    EXPECT_TRUE(settingsFile().startsWith("; the lobby's own\r\n[Lobby]\r\nNick=Ann\r\n"));
    EXPECT_EQ(table->storedbounds(), QRect(60, 50, 800, 520));

    for (auto [item, key, value] :
         std::initializer_list<std::tuple<QAction*, const char*, const char*>>{
             {menu().PlaySounds1, "Playsounds", "false"},
             {menu().New1, "Turnsound", "1"},
             {menu().Classic1, "Turnsound", "0"},
             {menu().PlayChatterSounds1, "ChatterSounds", "false"},
             {menu().Slow1, "Botspeed", "1500"},
             {menu().Normal1, "Botspeed", "1000"},
             {menu().doubleCheck, "Doublecheck", "false"},
             {menu().textSizes[3], "Textsize", "14"}}) {
        item->trigger();
        EXPECT_EQ(stored(key), value) << key;
    }
    EXPECT_TRUE(menu().textSizes[3]->isChecked());
    EXPECT_EQ(table->chatPanel()->textSize(), 14);
}

TEST_F(SettingsWiringTest, TheSwitchesTakeEffectAtOnce) {
    confirmed();
    EXPECT_FALSE(table->settings().prefs().doubleCheck);
    menu().doubleCheck->trigger();
    EXPECT_TRUE(table->settings().prefs().doubleCheck);
    menu().Fast1->trigger();
    EXPECT_EQ(table->botSpeed(), 500);
    menu().PlayChatterSounds1->trigger();
    EXPECT_TRUE(table->settings().prefs().chatterSounds);
}

// ---- Writing when the window closes ------------------------------------------------------------

TEST_F(SettingsWiringTest, ClosingBeforeTheReadWritesNothing) {
    QFile::remove(settingsPath());
    open();
    table->move(200, 100);
    table->close();
    EXPECT_FALSE(QFile::exists(settingsPath()));
}

TEST_F(SettingsWiringTest, ClosingUnmovedAfterTheReadWritesNothing) {
    const QByteArray content = "[Zorbinet]\r\nLeft=40\r\nTop=30\r\nWidth=800\r\nHeight=520\r\n";
    writeSettings(content);
    confirmed();
    ASSERT_TRUE(movedTo(QRect(40, 30, 800, 520)));
    table->close();
    EXPECT_EQ(settingsFile(), content);
}

TEST_F(SettingsWiringTest, ClosingAMovedWindowWritesItsPlaceAndEveryKey) {
    writeSettings("[Zorbinet]\r\nLeft=40\r\nTop=30\r\nWidth=800\r\nHeight=520\r\n");
    confirmed();
    ASSERT_TRUE(movedTo(QRect(40, 30, 800, 520)));
    table->move(120, 90);
    ASSERT_TRUE(movedTo(QRect(120, 90, 800, 520)));
    table->close();
    EXPECT_EQ(stored("Left"), "120");
    EXPECT_EQ(stored("Top"), "90");
    EXPECT_EQ(stored("Width"), "800");
    EXPECT_EQ(stored("Playsounds"), "true");
    EXPECT_EQ(table->storedbounds(), QRect(120, 90, 800, 520));
}

TEST_F(SettingsWiringTest, ResetScreenLocationThenClosingWritesTheDefaultPlace) {
    writeSettings("[Zorbinet]\r\nLeft=40\r\nTop=30\r\nWidth=800\r\nHeight=520\r\n");
    confirmed();
    ASSERT_TRUE(movedTo(QRect(40, 30, 800, 520)));
    menu().ResetScreenLocation1->trigger();
    ASSERT_TRUE(movedTo(QRect(3, 3, 783, 512)));
    EXPECT_EQ(stored("Left"), "40") << "the reset itself writes nothing";
    table->close();
    EXPECT_EQ(stored("Left"), "3");
    EXPECT_EQ(stored("Top"), "3");
    EXPECT_EQ(stored("Width"), "783");
    EXPECT_EQ(stored("Height"), "512");
}

TEST_F(SettingsWiringTest, AWindowLargerThanTheWorkAreaIsStoredFifteenSmaller) {
    confirmed();
    const QRect work = table->screen()->availableGeometry();
    const QSize big(work.width() + 40, work.height() + 30);
    table->setGeometry(QRect(QPoint(5, 6), big));
    ASSERT_TRUE(waitFor([&] { return table->geometry().size() == big; }));
    const QRect outer = table->frameGeometry();
    table->close();
    EXPECT_EQ(stored("Width"), QString::number(outer.width() - 15));
    EXPECT_EQ(stored("Height"), QString::number(outer.height() - 15));
    EXPECT_EQ(stored("Left"), QString::number(outer.left()));
    EXPECT_EQ(table->storedbounds(), QRect(outer.topLeft(), outer.size() - QSize(15, 15)));
}

TEST_F(SettingsWiringTest, OnlyTheOversizedDimensionIsCut) {
    confirmed();
    const QRect work = table->screen()->availableGeometry();
    table->resize(work.width() + 40, 500);
    ASSERT_TRUE(waitFor([&] { return table->width() == work.width() + 40; }));
    const QRect outer = table->frameGeometry();
    ASSERT_LE(outer.height(), work.height());
    table->close();
    EXPECT_EQ(stored("Width"), QString::number(outer.width() - 15));
    EXPECT_EQ(stored("Height"), QString::number(outer.height()));
}

TEST_F(SettingsWiringTest, AGarbledFileReadsAsDefaultsAndKeepsItsBytes) {
    QByteArray garbage;
    for (int i = 0; i < 600; ++i)
        garbage += static_cast<char>((i * 37 + 11) % 256);
    garbage.replace('[', '(');
    garbage += "\nTextsize=99999999999999999999\n";
    writeSettings(garbage);
    confirmed();
    EXPECT_EQ(table->chatPanel()->textSize(), 8);
    EXPECT_TRUE(menu().Normal1->isChecked());
    EXPECT_TRUE(menu().PlaySounds1->isChecked());
    menu().PlaySounds1->trigger();
    const QByteArray after = settingsFile();
    EXPECT_TRUE(after.startsWith(garbage)) << "nothing of the file is lost";
    EXPECT_EQ(stored("Playsounds"), "false");
    EXPECT_EQ(stored("Textsize"), "8");
}

// ---- A restart
// -----------------------------------------------------------------------------------

// A second program run: a new table, its own host, the same settings folder.
class RestartTest : public SettingsWiringTest {
protected:
    void restart() {
        table.reset();
        second_ = std::make_unique<FakeHost>();
        zb::TableOptions o;
        o.args = {"Ann", "127.0.0.1", "false"};
        o.gamePort = second_->port();
        o.lobbyPort = closedPort();
        o.dialogs = &dialogs;
        o.soundPlayer = &sounds;
        o.tally = &tally;
        o.settingsFolder = settingsDir.path();
        table = std::make_unique<zb::Tchat>(o, random);
        table->show();
        ASSERT_TRUE(waitFor([&] { return second_->accepted() && table->sock()->connected(); }));
        second_->send("CMD_sendlogininfo+2\xFF");
        ASSERT_TRUE(second_->waitForMessage());
        feed("CMD_newplayerinfo+2+Ann\xFF");
        ASSERT_TRUE(table->settings().isLoaded());
    }

private:
    std::unique_ptr<FakeHost> second_;
};

struct Bounds {
    QPoint place;
    QSize client;
};

class RestartBoundsTest : public RestartTest, public ::testing::WithParamInterface<Bounds> {};

TEST_P(RestartBoundsTest, PlaceAndSizeComeBackExactly) {
    confirmed();
    const Bounds b = GetParam();
    table->move(b.place);
    table->resize(b.client);
    ASSERT_TRUE(waitFor([&] { return table->size() == b.client; }));
    // What closing writes is the window's outer bounds at that moment.
    const QRect outer = table->frameGeometry();
    table->close();
    ASSERT_EQ(stored("Width"), QString::number(outer.width()));
    ASSERT_EQ(stored("Height"), QString::number(outer.height()));
    restart();
    const auto margins = [&] {
        const QRect f = table->frameGeometry();
        const QRect g = table->geometry();
        return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(),
                        f.bottom() - g.bottom());
    };
    EXPECT_TRUE(waitFor([&] {
        return table->frameGeometry() == outer &&
               table->geometry() == outer.marginsRemoved(margins());
    })) << "outer "
        << table->frameGeometry().width() << "x" << table->frameGeometry().height() << " at "
        << table->frameGeometry().x() << "," << table->frameGeometry().y() << ", saved "
        << outer.width() << "x" << outer.height() << " at " << outer.x() << "," << outer.y();
}

INSTANTIATE_TEST_SUITE_P(Sizes, RestartBoundsTest,
                         ::testing::Values(Bounds{{120, 90}, {700, 500}},
                                           Bounds{{3, 3}, {775, 487}}, Bounds{{40, 30}, {560, 400}},
                                           Bounds{{0, 0}, {640, 400}}));

} // namespace
