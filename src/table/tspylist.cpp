#include "table/tspylist.h"

#include "controls/backgroundpainter.h"
#include "controls/flatstyle.h"
#include "net/guard.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace zb {

Tspylist::Tspylist(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("tspylist"));
    setWindowTitle(QStringLiteral("Zorbinet -Spys"));
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
    heading->setStyleSheet(QStringLiteral("color: #1f2a44; background: transparent;"));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("listbox_spys"));
    list_->setGeometry(10, 28, kSize.width() - 20, 124);

    done_ = new QPushButton(QStringLiteral("Done"), this);
    done_->setObjectName(QStringLiteral("button_done"));
    done_->setGeometry((kSize.width() - 80) / 2, 160, 80, 26);
    connect(done_, &QPushButton::clicked, this, [this] { guarded([&] { hide(); }); });
}

void Tspylist::addSpy(const QString& line) {
    list_->addItem(line);
}

bool Tspylist::removeSpy(const QString& line) {
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->text() == line) {
            delete list_->takeItem(i);
            return true;
        }
    }
    return false;
}

QStringList Tspylist::lines() const {
    QStringList out;
    for (int i = 0; i < list_->count(); ++i)
        out << list_->item(i)->text();
    return out;
}

void Tspylist::setTable(QWidget* table) {
    table_ = table;
}

void Tspylist::showOver(QWidget* table) {
    if (table)
        table_ = table;
    if (table_)
        move(table_->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    show();
    raise();
}

} // namespace zb
