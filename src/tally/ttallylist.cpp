#include "tally/ttallylist.h"
#include "controls/ink.h"

#include "controls/backgroundpainter.h"
#include "controls/elidedlabel.h"
#include "controls/escapecloses.h"
#include "controls/flatstyle.h"
#include "controls/windowcentre.h"
#include "net/guard.h"
#include "shell/dialogs.h"
#include "tally/store/tallymodel.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <functional>

namespace zb {
namespace {

const QString kTitle = QStringLiteral("Zorbinet - Tally List");
const QString kNobody = QStringLiteral("XX");
const QColor kInk = ink::text();
const QColor kPanelFill(255, 255, 255, 200);
const QColor kPanelLine(0x9C, 0x8F, 0x6A);
const QColor kHeadFill(0x2F, 0x6F, 0xBF);

constexpr int kMargin = 8;
constexpr int kLeftWidth = 236;
constexpr int kRightX = kMargin + kLeftWidth + 10;
constexpr int kRightWidth = 465 - kRightX - kMargin;

QLabel* text(const QString& words, QWidget* parent, bool bold = false) {
    auto* label = new QLabel(words, parent);
    QFont f = label->font();
    f.setPixelSize(12);
    f.setBold(bold);
    label->setFont(f);
    label->setStyleSheet(ink::labelStyle());
    return label;
}

QLabel* value(QWidget* parent) {
    QLabel* label = text(QStringLiteral("0"), parent, true);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(40);
    return label;
}

// A panel's title strip: white bold text on the program's blue.
void makeHeading(QLabel* label) {
    QFont f = label->font();
    f.setPixelSize(13);
    f.setBold(true);
    label->setFont(f);
    label->setContentsMargins(6, 2, 6, 2);
    label->setStyleSheet(QStringLiteral("color: #ffffff; background: %1; border-radius: 3px;")
                             .arg(kHeadFill.name()));
}

QLabel* heading(const QString& words, QWidget* parent) {
    auto* label = new QLabel(words, parent);
    makeHeading(label);
    return label;
}

QLabel* caption(const QString& words, QWidget* parent) {
    QLabel* label = text(words, parent, true);
    QFont f = label->font();
    f.setPixelSize(13);
    label->setFont(f);
    return label;
}

QFrame* panel(QWidget* parent) {
    auto* frame = new QFrame(parent);
    flat::makePanel(frame, kPanelFill, kPanelLine);
    return frame;
}

// Puts names into a check list. When the names are the ones shown already only the boxes change,
// so an item whose own click led here is never deleted under its signal.
void fill(QListWidget* list, const QStringList& names, const std::function<bool(int)>& checked) {
    bool same = list->count() == names.size();
    for (int i = 0; same && i < names.size(); ++i)
        same = list->item(i)->text() == names[i];
    if (!same) {
        list->clear();
        for (const QString& name : names) {
            auto* item = new QListWidgetItem(name, list);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        }
    }
    for (int i = 0; i < names.size(); ++i)
        list->item(i)->setCheckState(checked(i) ? Qt::Checked : Qt::Unchecked);
}

} // namespace

Ttallylist::Ttallylist(TallyModel& model, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(&model), dialogs_(&dialogs) {
    build();
}

Ttallylist::Ttallylist(QWidget* parent)
    : QWidget(parent, Qt::Window), ownModel_(std::make_unique<TallyModel>()),
      model_(ownModel_.get()), dialogs_(&standardDialogs()) {
    build();
}

Ttallylist::~Ttallylist() = default;

void Ttallylist::build() {
    setObjectName(QStringLiteral("ttallylist"));
    setWindowTitle(kTitle);
    closeOnEscape(this);
    setFixedSize(kSize);
    flat::applyFlatStyle(this);
    // The check lists' boxes drawn like the program's check boxes, with a little air per row; a
    // pale selection keeps a checked box visible on the selected row.
    setStyleSheet(flat::styleSheet() + QStringLiteral(R"(
QListView::item { padding: 2px 2px; color: @ink; }
QListView::item:selected { background: #d3e1f1; color: @ink; }
QListView::indicator {
    width: 12px; height: 12px; border: 1px solid #7c8898; border-radius: 3px; background: #ffffff;
}
QListView::indicator:hover { border-color: #4a90e2; }
QListView::indicator:checked { background: #2f6fbf; border: 1px solid #1f4f8f; image: url(@tick); }
)")
                                           .replace(QStringLiteral("@ink"), ink::textName())
                                           .replace(QStringLiteral("@tick"), flat::tickImage()));

    auto* background = new BackgroundPainter(this);
    background->setGeometry(rect());
    background->setBorderColor(kPanelLine);

    QWidget* mine = buildMinePanel();
    mine->setGeometry(kMargin, kMargin, kLeftWidth, 112);
    QWidget* his = buildOpponentPanel();
    his->setGeometry(kMargin, 128, kLeftWidth, 132);

    QLabel* current = caption(QStringLiteral("Players In Current Game"), this);
    current->setGeometry(kMargin + 2, 266, kLeftWidth, 18);
    checklist_ = new QListWidget(this);
    checklist_->setObjectName(QStringLiteral("checklist"));
    checklist_->setGeometry(kMargin, 286, kLeftWidth, kSize.height() - 286 - kMargin);

    QLabel* tallied = caption(QStringLiteral("Players Being Tallied"), this);
    tallied->setGeometry(kRightX + 2, kMargin, kRightWidth, 18);
    listboxTally_ = new QListWidget(this);
    listboxTally_->setObjectName(QStringLiteral("listbox_tally"));
    listboxTally_->setGeometry(kRightX, kMargin + 20, kRightWidth, 318);

    const int buttonY = kSize.height() - kMargin - 30;
    const int buttonWidth = (kRightWidth - 8) / 2;
    reset_ = new QPushButton(QStringLiteral("Reset Tally"), this);
    reset_->setObjectName(QStringLiteral("button_reset"));
    reset_->setGeometry(kRightX, buttonY, buttonWidth, 30);
    done_ = new QPushButton(QStringLiteral("Done"), this);
    done_->setObjectName(QStringLiteral("button_done"));
    done_->setGeometry(kRightX + kRightWidth - buttonWidth, buttonY, buttonWidth, 30);
    done_->setDefault(true);

    connect(checklist_, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { guarded([&] { checklistChanged(item); }); });
    connect(listboxTally_, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { guarded([&] { listboxTallyChanged(item); }); });
    connect(listboxTally_, &QListWidget::currentRowChanged, this,
            [this](int) { guarded([&] { showOpponent(); }); });
    connect(reset_, &QPushButton::clicked, this, [this] { guarded([&] { resetClick(); }); });
    connect(done_, &QPushButton::clicked, this, [this] { guarded([&] { hide(); }); });
    connect(model_, &TallyModel::changed, this, [this] { guarded([&] { refresh(); }); });
    refresh();
}

QWidget* Ttallylist::buildMinePanel() {
    QFrame* frame = panel(this);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(8, 6, 10, 6);
    grid->setVerticalSpacing(2);
    grid->addWidget(heading(QStringLiteral("Your Total Tally"), frame), 0, 0, 1, 2);
    const QString rows[] = {QStringLiteral("Total Games:"), QStringLiteral("Your Wins:"),
                            QStringLiteral("5 of a Kind:"), QStringLiteral("Highest Scoring Game")};
    for (int i = 1; i <= 4; ++i) {
        grid->addWidget(text(rows[i - 1], frame), i, 0);
        mylabel_[std::size_t(i)] = value(frame);
        mylabel_[std::size_t(i)]->setObjectName(QStringLiteral("mylabel_%1").arg(i));
        grid->addWidget(mylabel_[std::size_t(i)], i, 1);
    }
    grid->setColumnStretch(0, 1);
    return frame;
}

QWidget* Ttallylist::buildOpponentPanel() {
    QFrame* frame = panel(this);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(8, 6, 10, 6);
    grid->setVerticalSpacing(2);
    hisnametop_ = new ElidedLabel(QString(), frame);
    makeHeading(hisnametop_);
    // The label draws its own text and background, so the heading's are given to it directly.
    hisnametop_->setStyleSheet(QString());
    hisnametop_->setTextColor(Qt::white);
    hisnametop_->setBackgroundColor(kHeadFill);
    hisnametop_->setObjectName(QStringLiteral("label_hisnametop"));
    grid->addWidget(hisnametop_, 0, 0, 1, 3);
    for (int column = 0; column < 2; ++column) {
        QLabel* head =
            text(column == 0 ? QStringLiteral("Total") : QStringLiteral("Session"), frame, true);
        head->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        head->setStyleSheet(head->styleSheet() + QStringLiteral(" color: #2f6fbf;"));
        grid->addWidget(head, 1, column + 1);
    }
    hisname_ = new ElidedLabel(QString(), frame);
    QFont f = hisname_->font();
    f.setPixelSize(12);
    hisname_->setFont(f);
    hisname_->setObjectName(QStringLiteral("label_hisname"));
    QLabel* rows[] = {text(QStringLiteral("Number of Games"), frame), hisname_,
                      text(QStringLiteral("Your Wins:"), frame),
                      text(QStringLiteral("Neither Won:"), frame)};
    for (int i = 1; i <= 4; ++i) {
        grid->addWidget(rows[i - 1], i + 1, 0);
        for (int session = 0; session < 2; ++session) {
            const int n = i + 4 * session;
            label_[std::size_t(n)] = value(frame);
            label_[std::size_t(n)]->setObjectName(QStringLiteral("label_%1").arg(n));
            grid->addWidget(label_[std::size_t(n)], i + 1, session + 1);
        }
    }
    grid->setColumnStretch(0, 1);
    return frame;
}

void Ttallylist::refresh() {
    refreshing_ = true;
    for (int i = 1; i <= 4; ++i)
        mylabel_[std::size_t(i)]->setText(model_->cell(i, 0));
    const QStringList tallied = model_->tallied();
    const QStringList& current = model_->currentPlayers();
    fill(checklist_, current, [&](int i) { return model_->rowOf(current[i]) >= 1; });
    const int selected = listboxTally_->currentRow();
    fill(listboxTally_, tallied, [](int) { return true; });
    if (selected >= 0 && selected < tallied.size())
        listboxTally_->setCurrentRow(selected);
    refreshing_ = false;
    showOpponent();
}

void Ttallylist::showOpponent() {
    if (refreshing_)
        return;
    const int row = listboxTally_->currentRow() + 1;
    const bool shown = row >= 1 && row <= model_->opponents();
    const QString name = shown ? model_->cell(0, row) : kNobody;
    for (auto [label, text] : {std::pair{hisname_, name + QStringLiteral(" Wins:")},
                               std::pair{hisnametop_, name + QStringLiteral("'s Tally")}}) {
        label->setText(text);
        label->setToolTip(text);
    }
    for (int i = 1; i <= 8; ++i)
        label_[std::size_t(i)]->setText(shown ? model_->cell(i, row) : QStringLiteral("0"));
}

void Ttallylist::checklistChanged(QListWidgetItem* item) {
    if (refreshing_)
        return;
    // Either way the box was clicked, the name is followed from now on; a name followed already
    // stays as it is, so its box goes back to checked.
    if (!model_->choose(item->text()))
        refresh();
}

void Ttallylist::listboxTallyChanged(QListWidgetItem* item) {
    if (refreshing_ || item->checkState() == Qt::Checked)
        return;
    const int row = listboxTally_->row(item) + 1;
    const QString name = item->text();
    QPointer<Ttallylist> self(this);
    dialogs_->question(this, kTitle,
                       QStringLiteral("This will delete ") + name +
                           QStringLiteral("'s Tally, Are you want to delete it?"),
                       [self, row, name](bool yes) {
                           if (!self)
                               return;
                           TallyModel& model = *self->model_;
                           if (!yes) {
                               self->refresh();
                               return;
                           }
                           // The table may have changed while the question was open: delete the row
                           // only if it still holds that opponent.
                           const int at = model.cell(0, row) == name ? row : model.rowOf(name);
                           if (at >= 1)
                               model.remove(at);
                           else
                               self->refresh();
                       });
}

void Ttallylist::resetClick() {
    QPointer<Ttallylist> self(this);
    dialogs_->question(this, kTitle, QStringLiteral("Are you sure you want to reset the Tally?"),
                       [self](bool yes) {
                           if (self && yes)
                               self->model_->reset();
                       });
}

void Ttallylist::showOver(QWidget* table) {
    show();
    centreOver(this, table);
    raise();
    activateWindow();
}

} // namespace zb
