#include "controls/chatview.h"

#include "net/guard.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace zb {

ChatView::ChatView(QWidget* parent) : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::ClickFocus);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::ArrowCursor);
    setBackgroundColor(background_);
    buildPopup();
}

ChatView::~ChatView() = default;

void ChatView::buildPopup() {
    popup_ = new QMenu(this);
    selectAll_ = popup_->addAction(QStringLiteral("Select All"));
    selectAll_->setObjectName(QStringLiteral("SelectAll1"));
    copy_ = popup_->addAction(QStringLiteral("Copy"));
    copy_->setObjectName(QStringLiteral("Copy1"));
    copy_->setShortcut(QKeySequence::Copy);
    copy_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(copy_);
    clearAll_ = popup_->addAction(QStringLiteral("Clear All"));
    clearAll_->setObjectName(QStringLiteral("ClearAll1"));
    popup_->addSeparator();
    scrollOff_ = popup_->addAction(QStringLiteral("Scroll Chat Off"));
    scrollOff_->setObjectName(QStringLiteral("ScrollChatOff2"));
    scrollOff_->setCheckable(true);

    connect(selectAll_, &QAction::triggered, this, [this] { guarded([&] { selectAll(); }); });
    connect(copy_, &QAction::triggered, this, [this] { guarded([&] { copy(); }); });
    connect(clearAll_, &QAction::triggered, this, [this] {
        guarded([&] {
            clear();
            emit clearedByUser();
        });
    });
    connect(scrollOff_, &QAction::toggled, this,
            [this](bool off) { guarded([&] { setAutoScroll(!off); }); });
}

int ChatView::addStyle(const ChatTextStyle& style) {
    return doc_.addStyle(style);
}

void ChatView::setStyle(int index, const ChatTextStyle& style) {
    if (index < 0 || index >= doc_.styleCount())
        return;
    const Place place = placeInView();
    if (doc_.setStyle(index, style)) {
        updateLayout();
        restorePlace(place);
    }
    viewport()->update();
}

ChatView::Place ChatView::placeInView() {
    updateLayout();
    return {isAtEnd(), doc_.hitTest(QPointF(0, verticalScrollBar()->value()))};
}

void ChatView::restorePlace(const Place& place) {
    QScrollBar* bar = verticalScrollBar();
    if (place.atEnd) {
        bar->setValue(bar->maximum());
        return;
    }
    // The line that now holds the place comes to the top.
    const auto& pieces = doc_.pieces();
    for (const ChatDocument::Line& line : doc_.lines()) {
        for (int i = line.firstPiece; i < line.endPiece; ++i) {
            const ChatDocument::Piece& piece = pieces[i];
            if (piece.item == place.top.item && place.top.offset >= piece.from &&
                place.top.offset <= piece.from + piece.length) {
                bar->setValue(int(std::ceil(line.top)));
                return;
            }
        }
    }
}

void ChatView::setStyleColor(int index, const QColor& color) {
    if (index < 0 || index >= doc_.styleCount() || doc_.style(index).color == color)
        return;
    ChatTextStyle s = doc_.style(index);
    s.color = color;
    setStyle(index, s);
}

void ChatView::setStyleBold(int index, bool bold) {
    if (index < 0 || index >= doc_.styleCount() || doc_.style(index).bold == bold)
        return;
    ChatTextStyle s = doc_.style(index);
    s.bold = bold;
    setStyle(index, s);
}

void ChatView::setPointSizeOfAll(int points) {
    const Place place = placeInView();
    bool changed = false;
    for (int i = 0; i < doc_.styleCount(); ++i) {
        ChatTextStyle s = doc_.style(i);
        if (s.pointSize == points)
            continue;
        s.pointSize = points;
        changed = doc_.setStyle(i, s) || changed;
    }
    if (changed) {
        updateLayout();
        restorePlace(place);
    }
    viewport()->update();
}

void ChatView::setBackgroundColor(const QColor& color) {
    background_ = color;
    viewport()->update();
}

void ChatView::setHorizontalMargin(int pixels) {
    margin_ = std::max(0, pixels);
    updateLayout();
    viewport()->update();
}

void ChatView::addText(const QString& text, int style, bool newParagraph, const QString& target) {
    doc_.addText(text, style, newParagraph, target);
    followDrops();
}

void ChatView::addPicture(const QPixmap& picture, bool newParagraph) {
    doc_.addPicture(picture, newParagraph);
    followDrops();
}

// Moves what refers to items and lines along when the document dropped its oldest lines, so a
// press on a link can only ever open that link, and a reader who scrolled back keeps his place.
void ChatView::followDrops() {
    const qint64 items = doc_.droppedItems() - droppedItems_;
    if (items == 0)
        return;
    const qreal height = doc_.droppedHeight() - droppedHeight_;
    droppedItems_ = doc_.droppedItems();
    droppedHeight_ = doc_.droppedHeight();
    const auto shift = [items](Position& p) {
        p = p.item < items ? Position{0, 0} : Position{int(p.item - items), p.offset};
    };
    shift(anchor_);
    shift(cursor_);
    pressedLink_ = pressedLink_ < items ? -1 : int(pressedLink_ - items);
    if (!autoScroll_) {
        QScrollBar* bar = verticalScrollBar();
        bar->setValue(std::max(0, bar->value() - int(std::lround(height))));
    }
    viewport()->update();
}

void ChatView::clear() {
    doc_.clear();
    anchor_ = cursor_ = {};
    pressed_ = selecting_ = false;
    pressedLink_ = -1;
    updateLayout();
    viewport()->update();
}

void ChatView::refresh() {
    updateLayout();
    if (autoScroll_)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
}

void ChatView::updateLayout() {
    doc_.setWidth(viewport()->width() - 2 * margin_);
    doc_.layout();
    updateScrollRange();
}

void ChatView::updateScrollRange() {
    const int content = int(std::ceil(doc_.height())) + 2 * kTopMargin;
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(std::max(1, viewport()->height()));
    bar->setSingleStep(16);
    bar->setRange(0, std::max(0, content - viewport()->height()));
}

bool ChatView::isAtEnd() const {
    return verticalScrollBar()->value() >= verticalScrollBar()->maximum();
}

void ChatView::setAutoScroll(bool on) {
    if (scrollOff_->isChecked() == on) {
        const QSignalBlocker block(scrollOff_);
        scrollOff_->setChecked(!on);
    }
    if (autoScroll_ == on)
        return;
    autoScroll_ = on;
    emit autoScrollChanged(on);
}

QPointF ChatView::toContent(QPoint p) const {
    return {qreal(p.x() - margin_), qreal(p.y() + verticalScrollBar()->value() - kTopMargin)};
}

QRect ChatView::itemRect(int item) {
    updateLayout();
    const QRectF box = doc_.itemBox(item);
    if (box.isEmpty())
        return {};
    return box.translated(margin_, kTopMargin - verticalScrollBar()->value()).toAlignedRect();
}

int ChatView::linkItemAt(QPoint point) {
    const int item = doc_.itemAt(toContent(point));
    return item >= 0 && doc_.item(item).link >= 0 ? item : -1;
}

int ChatView::linkAt(QPoint point) {
    updateLayout();
    const int item = linkItemAt(point);
    return item < 0 ? -1 : doc_.item(item).link;
}

void ChatView::selectAll() {
    setSelection({0, 0}, doc_.end());
}

void ChatView::clearSelection() {
    setSelection(cursor_, cursor_);
}

void ChatView::setSelection(Position anchor, Position cursor) {
    anchor_ = anchor;
    cursor_ = cursor;
    viewport()->update();
}

QString ChatView::selectedText() const {
    return hasSelection() ? doc_.text(anchor_, cursor_) : QString();
}

void ChatView::copy() const {
    if (!hasSelection())
        return;
    if (QClipboard* clipboard = QApplication::clipboard())
        clipboard->setText(selectedText());
}

void ChatView::resizeEvent(QResizeEvent* event) {
    const bool wasAtEnd = isAtEnd();
    QAbstractScrollArea::resizeEvent(event);
    updateLayout();
    if (autoScroll_ && wasAtEnd)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ChatView::paintEvent(QPaintEvent* event) {
    updateLayout();
    QPainter painter(viewport());
    painter.fillRect(event->rect(), background_);
    const qreal dy = kTopMargin - verticalScrollBar()->value();
    const auto& lines = doc_.lines();
    const qreal top = event->rect().top() - dy;
    const qreal bottom = event->rect().bottom() + 1 - dy;
    for (int li = doc_.lineAt(top); li < int(lines.size()) && lines[li].top < bottom; ++li)
        paintLine(painter, lines[li], dy);
}

void ChatView::paintLine(QPainter& painter, const ChatDocument::Line& line, qreal dy) {
    const qreal baseline = line.top + line.ascent + dy;
    for (int p = line.firstPiece; p < line.endPiece; ++p) {
        const ChatDocument::Piece& piece = doc_.pieces()[p];
        const QRectF box(piece.x + margin_, line.top + dy, piece.width, line.height);
        paintPiece(painter, piece, box, baseline);
    }
}

void ChatView::paintPiece(QPainter& painter, const ChatDocument::Piece& piece, QRectF box,
                          qreal baseline) {
    const ChatDocument::Item& item = doc_.item(piece.item);
    const bool picture = item.style < 0;
    QString text;
    if (picture) {
        const QSizeF size = doc_.pictureSize(item);
        painter.drawPixmap(QPointF(box.left(), baseline - size.height()), doc_.picture(item));
    } else {
        text = item.text.mid(piece.from, piece.length);
        painter.setFont(doc_.font(item.style));
        painter.setPen(doc_.style(item.style).color);
        painter.drawText(QPointF(box.left(), baseline), text);
    }
    if (!hasSelection())
        return;
    // The selected characters of this piece, drawn over in the highlight colours.
    const Position from = std::min(anchor_, cursor_);
    const Position to = std::max(anchor_, cursor_);
    const Position pieceStart{piece.item, piece.from};
    const Position pieceEnd{piece.item, piece.from + piece.length};
    if (to <= pieceStart || from >= pieceEnd)
        return;
    const int a = from <= pieceStart ? piece.from : from.offset;
    const int b = to >= pieceEnd ? piece.from + piece.length : to.offset;
    const qreal x0 = box.left() + doc_.advance(piece, a);
    const qreal x1 = box.left() + doc_.advance(piece, b);
    const QRectF sel(x0, box.top(), x1 - x0, box.height());
    painter.save();
    painter.setClipRect(sel);
    if (picture) {
        QColor shade = palette().color(QPalette::Highlight);
        shade.setAlpha(110);
        painter.fillRect(sel, shade);
    } else {
        painter.fillRect(sel, palette().color(QPalette::Highlight));
        painter.setPen(palette().color(QPalette::HighlightedText));
        painter.drawText(QPointF(box.left(), baseline), text);
    }
    painter.restore();
}

void ChatView::mousePressEvent(QMouseEvent* event) {
    guarded([&] {
        if (event->button() != Qt::LeftButton)
            return;
        updateLayout();
        const QPoint p = event->position().toPoint();
        pressed_ = true;
        selecting_ = false;
        pressPoint_ = p;
        pressedLink_ = linkItemAt(p);
        const Position at = doc_.hitTest(toContent(p));
        setSelection(at, at);
    });
}

void ChatView::mouseMoveEvent(QMouseEvent* event) {
    guarded([&] {
        const QPoint p = event->position().toPoint();
        updateCursorShape(p);
        if (!pressed_ || !(event->buttons() & Qt::LeftButton))
            return;
        if (!selecting_ && (p - pressPoint_).manhattanLength() < QApplication::startDragDistance())
            return;
        selecting_ = true;
        if (p.y() < 0 || p.y() > viewport()->height())
            verticalScrollBar()->setValue(verticalScrollBar()->value() + (p.y() < 0 ? -8 : 8));
        setSelection(anchor_, doc_.hitTest(toContent(p)));
    });
}

void ChatView::mouseReleaseEvent(QMouseEvent* event) {
    guarded([&] {
        if (event->button() != Qt::LeftButton || !pressed_)
            return;
        pressed_ = false;
        const int link = pressedLink_;
        pressedLink_ = -1;
        if (selecting_ || link < 0 || linkItemAt(event->position().toPoint()) != link)
            return;
        const ChatDocument::Item& item = doc_.item(link);
        emit linkClicked(item.link, item.target);
    });
}

void ChatView::updateCursorShape(QPoint p) {
    const Qt::CursorShape shape = linkItemAt(p) >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (viewport()->cursor().shape() != shape)
        viewport()->setCursor(shape);
}

void ChatView::contextMenuEvent(QContextMenuEvent* event) {
    popup_->popup(event->globalPos());
    event->accept();
}

void ChatView::keyPressEvent(QKeyEvent* event) {
    // Ctrl+C normally arrives as the Copy item's shortcut; a key that reaches the view directly
    // still copies.
    if (event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Copy)) {
        const bool all = event->matches(QKeySequence::SelectAll);
        guarded([&] { all ? selectAll() : copy(); });
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

} // namespace zb
