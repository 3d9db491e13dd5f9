#include "table/tspylist.h"
#include "controls/ink.h"

#include "controls/backgroundpainter.h"
#include "controls/escapecloses.h"
#include "controls/flatstyle.h"
#include "controls/windowcentre.h"
#include "net/guard.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

namespace zb {

Tspylist::Tspylist(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("tspylist"));
    setWindowTitle(QStringLiteral("Zorbinet -Spys"));
    closeOnEscape(this);
    setFixedSize(kSize);
    flat::applyFlatStyle(this);

    auto* background = new BackgroundPainter(this);
    background->setGeometry(rect());
    // Without a window manager's frame the window still needs an edge.
    background->setBorderColor(QColor(0x9C, 0x8F, 0x6A));

    auto* heading = new QLabel(QStringLiteral("Spy List"), this);
    heading->setGeometry(10, 6, kSize.width() - 20, 20);
    QFont f = heading->font();
    f.setPixelSize(14);
    f.setBold(true);
    heading->setFont(f);
    heading->setStyleSheet(ink::labelStyle());

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("listbox_spys"));
    list_->setGeometry(10, 28, kSize.width() - 20, 124);

    // The list follows the pointer, so the line under it is the current one.
    list_->setMouseTracking(true);
    connect(list_, &QListWidget::itemEntered, this,
            [this](QListWidgetItem* item) { guarded([&] { list_->setCurrentItem(item); }); });
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("popup_kickhim"));
    remove_ = popup_->addAction(QStringLiteral("Remove From Game"));
    remove_->setObjectName(QStringLiteral("RemoveFromGame2"));
    remove_->setEnabled(false);
    connect(remove_, &QAction::triggered, this,
            [this] { guarded([&] { RemoveFromGame2Click(); }); });
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        guarded([&] { popup_->popup(list_->viewport()->mapToGlobal(at)); });
    });

    done_ = new QPushButton(QStringLiteral("Done"), this);
    done_->setObjectName(QStringLiteral("button_done"));
    done_->setGeometry((kSize.width() - 80) / 2, 160, 80, 26);
    connect(done_, &QPushButton::clicked, this, [this] { guarded([&] { hide(); }); });
}

void Tspylist::setSpectators(const QList<Spectator>& spectators) {
    spectators_ = spectators;
    list_->clear();
    for (const Spectator& s : spectators_)
        list_->addItem(QStringLiteral("%1: %2").arg(s.slot).arg(s.name));
}

QStringList Tspylist::lines() const {
    QStringList out;
    for (int i = 0; i < list_->count(); ++i)
        out << list_->item(i)->text();
    return out;
}

int Tspylist::seatUnderPointer() const {
    const QPoint at = list_->viewport()->mapFromGlobal(QCursor::pos());
    const int row = list_->row(list_->itemAt(at));
    return row >= 0 && row < spectators_.size() ? spectators_[row].slot : 0;
}

void Tspylist::RemoveFromGame2Click() {
    const int seat = seatUnderPointer();
    if (seat != 0)
        emit kickRequested(seat);
}

void Tspylist::setTable(QWidget* table) {
    table_ = table;
}

void Tspylist::showOver(QWidget* table) {
    if (table)
        table_ = table;
    show();
    centreOver(this, table_);
    raise();
}

} // namespace zb
