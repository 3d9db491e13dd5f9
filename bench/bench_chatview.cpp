// The chat view over a long session: appending must not slow down as the chat grows (past its
// bounds the oldest lines are dropped, and that too must not cost a pass over the whole chat per
// line), and recolouring a style - which every line in a new colour does for all earlier lines of
// its seat - must not cost a pass over the whole chat. Lines of 60,000 characters must lay out in
// time linear in their length, when added and when laid out anew.
//
// Each appended line goes through the chat panel as a received chat line would, and the event
// loop runs after every line, so the cost includes the repaint that follows each message.

#include "controls/chatview.h"
#include "shell/chatpanel.h"
#include "shell/colortext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <ctime>
#include <memory>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kLines = 20000;
constexpr int kWindow = 1000;

QString chatLine(int i) {
    const int seat = 1 + i % 4;
    QString line = QStringLiteral("%1+Player%1 chats: line %2 with a few words").arg(seat).arg(i);
    if (i % 7 == 0)
        line += QStringLiteral(" :)#1%1").arg(i % 10);
    if (i % 11 == 0)
        line += QStringLiteral(" see www.example%1.com").arg(i);
    return line;
}

std::unique_ptr<zb::ChatPanel> shownPanel() {
    auto panel = std::make_unique<zb::ChatPanel>();
    panel->show();
    QApplication::processEvents();
    return panel;
}

// CPU time of this thread: the machine may be shared, and other processes' load must not show
// up as a slower chat.
double threadCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e9 + double(ts.tv_nsec);
}

double median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

double mean(const std::vector<double>& v) {
    return std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
}

// Reports the first and the last thousand lines' cost per line, as the mean and as the median
// (the median is what a line costs; the mean also carries the odd preemption of a busy machine).
void appendTimed(benchmark::State& state, bool scrollOff, bool paint) {
    for (auto _ : state) {
        auto panel = shownPanel();
        panel->setScrollOff(scrollOff);
        std::vector<double> first;
        std::vector<double> last;
        const double start = threadCpuNs();
        for (int i = 0; i < kLines; ++i) {
            const double before = threadCpuNs();
            panel->addlinetochat(chatLine(i), zb::color::kBlack + zb::color::Color(i % 3));
            if (paint)
                QApplication::processEvents();
            const double us = (threadCpuNs() - before) / 1000;
            if (i < kWindow)
                first.push_back(us);
            else if (i >= kLines - kWindow)
                last.push_back(us);
        }
        state.SetIterationTime((threadCpuNs() - start) / 1e9);
        state.counters["first1k_us_mean"] = mean(first);
        state.counters["last1k_us_mean"] = mean(last);
        state.counters["first1k_us_median"] = median(first);
        state.counters["last1k_us_median"] = median(last);
        state.counters["ratio_mean"] = mean(last) / mean(first);
        state.counters["ratio_median"] = median(last) / median(first);
        state.counters["items"] = panel->mainchat()->itemCount();
    }
}

void BM_Append20000Lines(benchmark::State& state) {
    appendTimed(state, false, true);
}
BENCHMARK(BM_Append20000Lines)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Append20000LinesScrollOff(benchmark::State& state) {
    appendTimed(state, true, true);
}
BENCHMARK(BM_Append20000LinesScrollOff)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Without the repaints: the cost of the view's own bookkeeping and layout.
void BM_Append20000LinesNoPaint(benchmark::State& state) {
    appendTimed(state, false, false);
}
BENCHMARK(BM_Append20000LinesNoPaint)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A view whose style 7 is used by 10,000 items, among 20,000 lines of other seats. The history
// is let grow past its usual bounds for this, to show that the cost does not depend on the count.
std::unique_ptr<zb::ChatPanel> panelWithBusyStyle(int* itemsOfStyle) {
    auto panel = shownPanel();
    panel->mainchat()->setHistoryLimits(20000, qint64(1) << 30);
    for (int i = 0; i < 20000; ++i) {
        if (i % 10 == 0) // seat 2 (style 7): speaker, blank, three words = 5 items
            panel->addlinetochat(QStringLiteral("2+Ann chats: one two three"), zb::color::kBlue);
        else
            panel->addlinetochat(QStringLiteral("3+Bob chats: four five six"), zb::color::kGreen);
    }
    QApplication::processEvents();
    int count = 0;
    const zb::ChatDocument& doc = panel->mainchat()->document();
    for (int i = 0; i < doc.itemCount(); ++i)
        count += doc.item(i).style == 7;
    *itemsOfStyle = count;
    return panel;
}

void BM_RecolourStyleOf10000Items(benchmark::State& state) {
    int items = 0;
    auto panel = panelWithBusyStyle(&items);
    zb::ChatView* view = panel->mainchat();
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 2);
    bool red = false;
    for (auto _ : state) {
        red = !red;
        view->setStyleColor(7, red ? QColor(255, 0, 0) : QColor(0, 0, 255));
        view->viewport()->repaint(); // the visible part is painted at once in the new colour
    }
    state.counters["items_of_style"] = items;
}
BENCHMARK(BM_RecolourStyleOf10000Items)->Unit(benchmark::kMicrosecond);

// The recolouring alone, without the repaint that the platform then does.
void BM_RecolourStyleOf10000ItemsNoPaint(benchmark::State& state) {
    int items = 0;
    auto panel = panelWithBusyStyle(&items);
    zb::ChatView* view = panel->mainchat();
    bool red = false;
    for (auto _ : state) {
        red = !red;
        view->setStyleColor(7, red ? QColor(255, 0, 0) : QColor(0, 0, 255));
    }
    state.counters["items_of_style"] = items;
}
BENCHMARK(BM_RecolourStyleOf10000ItemsNoPaint)->Unit(benchmark::kMicrosecond);

// The real case: a line in another colour recolours every earlier line of its seat.
void BM_AddLineThatRecolours10000Items(benchmark::State& state) {
    int items = 0;
    auto panel = panelWithBusyStyle(&items);
    bool red = false;
    for (auto _ : state) {
        red = !red;
        panel->addlinetochat(QStringLiteral("2+Ann chats: one two three"),
                             red ? zb::color::kRed : zb::color::kBlue);
        QApplication::processEvents();
    }
    state.counters["items_of_style"] = items;
}
BENCHMARK(BM_AddLineThatRecolours10000Items)->Unit(benchmark::kMicrosecond);

// A font change (bold on or off, or "Text Size") is the one change that lays out everything.
void BM_BoldToggleRelayout(benchmark::State& state) {
    int items = 0;
    auto panel = panelWithBusyStyle(&items);
    zb::ChatView* view = panel->mainchat();
    bool bold = true;
    for (auto _ : state) {
        bold = !bold;
        view->setStyleBold(7, bold);
        view->viewport()->repaint();
    }
    state.counters["items_total"] = view->itemCount();
}
BENCHMARK(BM_BoldToggleRelayout)->Unit(benchmark::kMillisecond);

// ---- One huge line -------------------------------------------------------------------------
// A host may relay lines of about 60,000 characters (its message limit is 64 KiB): one word of
// letters, one link of that length, and the winner text, which names the winners (any player
// name, however long) in a status line. Each must be laid out in time linear in its length, when
// it is added and again when the view is laid out anew (a bold style, a text size, a width).

constexpr int kHuge = 60000;

QString hugeWord() {
    QString word(kHuge, u'x');
    for (int i = 0; i < kHuge; i += 7)
        word[i] = QChar(u'a' + i % 26);
    return word;
}

enum class Huge { Word, Link, Winner, Words, DistinctWords, Smilies };

// The line as the chat panel is handed it, and the colour it comes with.
QString hugeLine(Huge kind) {
    switch (kind) {
    case Huge::Word:
        return QStringLiteral("2+Ann chats: ") + hugeWord();
    case Huge::Link:
        return QStringLiteral("2+Ann chats: see www.") + hugeWord().left(kHuge - 4);
    case Huge::Winner: // what the table adds for CMD_winner: "0+" and "<names> has Won the Game!"
        return QStringLiteral("0+") + hugeWord() + QStringLiteral(" has Won the Game!");
    case Huge::Words: // 30,000 one-letter words: as many items as a line can make
        return QStringLiteral("2+Ann chats: ") + QStringLiteral("a ").repeated(kHuge / 2);
    case Huge::Smilies: // 12,000 smiley codes: as many pictures as a line can make
        return QStringLiteral("2+Ann chats: ") + QStringLiteral(":)#12").repeated(kHuge / 5);
    case Huge::DistinctWords: { // 15,000 three-letter words, no two alike: nothing to remember
        QString line = QStringLiteral("2+Ann chats: ");
        for (int i = 0; i < kHuge / 4; ++i) {
            line += QChar(u'a' + i / 676 % 26);
            line += QChar(u'a' + i / 26 % 26);
            line += QChar(u'a' + i % 26);
            line += u' ';
        }
        return line;
    }
    }
    return {};
}

double msSince(double startNs) {
    return (threadCpuNs() - startNs) / 1e6;
}

void hugeAppend(benchmark::State& state, Huge kind) {
    const QString line = hugeLine(kind);
    std::vector<double> ms;
    for (auto _ : state) {
        auto panel = shownPanel();
        panel->addlinetochat(QStringLiteral("1+Bob chats: hello there"), zb::color::kBlack);
        QApplication::processEvents();
        const double start = threadCpuNs();
        panel->addlinetochat(line, zb::color::kBlue);
        QApplication::processEvents(); // the repaint that follows
        ms.push_back(msSince(start));
        state.SetIterationTime(ms.back() / 1e3);
        state.counters["lines"] = double(panel->mainchat()->document().lines().size());
    }
    state.counters["median_ms"] = median(ms);
}

enum class Relayout { Bold, TextSize, Width };

void hugeRelayout(benchmark::State& state, Huge kind, Relayout how) {
    auto panel = shownPanel();
    panel->addlinetochat(hugeLine(kind), zb::color::kBlue);
    QApplication::processEvents();
    zb::ChatView* view = panel->mainchat();
    const int style = kind == Huge::Winner ? 0 : 7;
    const int link = 4;
    const QSize size = view->size();
    std::vector<double> ms;
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        const double start = threadCpuNs();
        switch (how) {
        case Relayout::Bold:
            view->setStyleBold(style, !flip);
            view->setStyleBold(link, flip);
            break;
        case Relayout::TextSize:
            panel->setTextSize(flip ? 12 : 10);
            break;
        case Relayout::Width:
            view->resize(size.width() - (flip ? 37 : 0), size.height());
            break;
        }
        view->viewport()->repaint();
        ms.push_back(msSince(start));
        state.SetIterationTime(ms.back() / 1e3);
    }
    state.counters["median_ms"] = median(ms);
    state.counters["lines"] = double(view->document().lines().size());
}

// A flood of huge lines: each costs the same however many came before, and the history stays
// within its bounds.
void BM_FloodOf60kLines(benchmark::State& state) {
    const int lines = int(state.range(0));
    const QString line = hugeLine(Huge::Word);
    for (auto _ : state) {
        auto panel = shownPanel();
        std::vector<double> ms;
        const double start = threadCpuNs();
        for (int i = 0; i < lines; ++i) {
            const double before = threadCpuNs();
            panel->addlinetochat(line, zb::color::kBlue);
            QApplication::processEvents();
            ms.push_back(msSince(before));
        }
        state.SetIterationTime(msSince(start) / 1e3);
        const zb::ChatDocument& doc = panel->mainchat()->document();
        state.counters["median_ms"] = median(ms);
        state.counters["max_ms"] = *std::max_element(ms.begin(), ms.end());
        state.counters["kept_lines"] = doc.paragraphCount();
        state.counters["kept_MiB"] = double(doc.bytes()) / (1 << 20);
        // Laying out all that is kept anew: the worst a width or text size change can cost.
        zb::ChatView* view = panel->mainchat();
        double t = threadCpuNs();
        view->resize(view->width() - 37, view->height());
        view->viewport()->repaint();
        state.counters["full_relayout_width_ms"] = msSince(t);
        t = threadCpuNs();
        panel->setTextSize(12);
        view->viewport()->repaint();
        state.counters["full_relayout_textsize_ms"] = msSince(t);
    }
}
BENCHMARK(BM_FloodOf60kLines)
    ->Arg(100)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Registered in main(): every huge line, appended and laid out anew each way.
void registerHugeLines() {
    constexpr int kRuns = 3;
    const std::pair<const char*, Huge> kinds[] = {{"Word", Huge::Word},
                                                  {"Link", Huge::Link},
                                                  {"Winner", Huge::Winner},
                                                  {"Words", Huge::Words},
                                                  {"DistinctWords", Huge::DistinctWords},
                                                  {"Smilies", Huge::Smilies}};
    const std::pair<const char*, Relayout> hows[] = {
        {"Bold", Relayout::Bold}, {"TextSize", Relayout::TextSize}, {"Width", Relayout::Width}};
    for (const auto& [kindName, kind] : kinds) {
        const std::string base = std::string("BM_Huge60k") + kindName;
        benchmark::RegisterBenchmark((base + "Append").c_str(),
                                     [kind](benchmark::State& s) { hugeAppend(s, kind); })
            ->Iterations(kRuns)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        for (const auto& [howName, how] : hows) {
            benchmark::RegisterBenchmark(
                (base + "Relayout" + howName).c_str(),
                [kind, how](benchmark::State& s) { hugeRelayout(s, kind, how); })
                ->Iterations(kRuns)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerHugeLines();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
