#pragma once
// The rich chat view: text runs in numbered text styles, inline pictures and links, wrapped into
// paragraphs, selectable with the mouse, with its own popup menu ("Select All", "Copy",
// "Clear All", "Scroll Chat Off"). A style can be recoloured or made bold at any time and every
// item already shown in it follows; recolouring costs one repaint of the visible part, whatever
// the length of the chat. The history is bounded (ChatDocument::kMaxParagraphs lines and
// ChatDocument::kMaxBytes bytes): past it the oldest lines are dropped, while the selection, a
// link being clicked and the place the reader scrolled to stay with the lines they belong to.

#include "controls/chatdocument.h"

#include <QAbstractScrollArea>

class QAction;
class QMenu;

namespace zb {

class ChatView : public QAbstractScrollArea {
    Q_OBJECT
public:
    using Position = ChatDocument::Position;

    explicit ChatView(QWidget* parent = nullptr);
    ~ChatView() override;

    // Style sheet. Returns the new style's number (0, 1, ... in order of adding).
    int addStyle(const ChatTextStyle& style);
    int styleCount() const { return doc_.styleCount(); }
    const ChatTextStyle& style(int index) const { return doc_.style(index); }
    // A change that lays the chat out again keeps the reader's place: a view at its end stays
    // at its end, one scrolled back keeps the line at its top.
    void setStyle(int index, const ChatTextStyle& style);
    void setStyleColor(int index, const QColor& color);
    void setStyleBold(int index, bool bold);
    void setPointSizeOfAll(int points);

    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const { return background_; }
    // Blank space left and right of the text, in pixels.
    void setHorizontalMargin(int pixels);

    // Content. A text in a link style becomes a link that opens target (its own text if none).
    void addText(const QString& text, int style, bool newParagraph, const QString& target = {});
    void addPicture(const QPixmap& picture, bool newParagraph);
    void clear();
    // Lays out what was added, repaints and, while auto-scroll is on, scrolls to the end.
    void refresh();

    const ChatDocument& document() const { return doc_; }
    // Bounds of the history other than the standard ones (tests).
    void setHistoryLimits(int paragraphs, qint64 bytes) { doc_.setLimits(paragraphs, bytes); }
    int itemCount() const { return doc_.itemCount(); }
    QString plainText() const { return doc_.text({0, 0}, doc_.end()); }
    // Where an item is drawn, in viewport coordinates (empty when it is not laid out).
    QRect itemRect(int item);
    // The link drawn at a viewport point, or -1.
    int linkAt(QPoint point);

    // Selection.
    void selectAll();
    void clearSelection();
    void setSelection(Position anchor, Position cursor);
    bool hasSelection() const { return anchor_ != cursor_; }
    QString selectedText() const;
    // Puts the selected text, if any, on the clipboard as plain text.
    void copy() const;

    // While on, every refresh scrolls to the end. The popup's "Scroll Chat Off" is its opposite.
    void setAutoScroll(bool on);
    bool autoScroll() const { return autoScroll_; }
    bool isAtEnd() const;

    QMenu* popupMenu() const { return popup_; }
    QAction* selectAllAction() const { return selectAll_; }
    QAction* copyAction() const { return copy_; }
    QAction* clearAllAction() const { return clearAll_; }
    QAction* scrollOffAction() const { return scrollOff_; }

signals:
    // A click on a link: its place among the view's links (from 0) and what it opens.
    void linkClicked(int number, const QString& target);
    // "Clear All" from the popup emptied the view.
    void clearedByUser();
    void autoScrollChanged(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Where the reader is: at the end, or at the text at the start of the top line in view.
    struct Place {
        bool atEnd = true;
        Position top;
    };
    Place placeInView();
    void restorePlace(const Place& place);
    void buildPopup();
    void updateLayout();
    void updateScrollRange();
    QPointF toContent(QPoint viewportPoint) const;
    int linkItemAt(QPoint viewportPoint);
    void paintLine(QPainter& painter, const ChatDocument::Line& line, qreal dy);
    void paintPiece(QPainter& painter, const ChatDocument::Piece& piece, QRectF box,
                    qreal baseline);
    void updateCursorShape(QPoint viewportPoint);
    void followDrops();

    ChatDocument doc_;
    QColor background_{Qt::white};
    int margin_ = 5;
    static constexpr int kTopMargin = 2;
    bool autoScroll_ = true;

    Position anchor_;
    Position cursor_;
    QPoint pressPoint_;
    int pressedLink_ = -1;
    bool pressed_ = false;
    bool selecting_ = false;
    qint64 droppedItems_ = 0; // of the document, when last followed
    qreal droppedHeight_ = 0;

    QMenu* popup_ = nullptr;
    QAction* selectAll_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* clearAll_ = nullptr;
    QAction* scrollOff_ = nullptr;
};

} // namespace zb
