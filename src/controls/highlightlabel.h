#pragma once
// The score card's label: a text in a chosen colour and weight that, while it takes clicks, lights
// up under the pointer and reports a click. It paints its text itself so that no style sheet of an
// enclosing panel can override the colours the game sets.

#include <QColor>
#include <QLabel>

namespace zb {

class HighlightLabel : public QLabel {
    Q_OBJECT
public:
    explicit HighlightLabel(QWidget* parent = nullptr);
    explicit HighlightLabel(const QString& text, QWidget* parent = nullptr);

    void setTextColor(const QColor& colour);
    QColor textColor() const { return textColour_; }

    void setBold(bool bold);
    bool isBold() const;

    // Only clickable labels highlight and emit clicked(). Default: false.
    void setClickable(bool clickable);
    bool isClickable() const { return clickable_; }

    void setHighlightColor(const QColor& colour);
    QColor highlightColor() const { return highlightColour_; }

    // A background drawn behind the text at all times; invalid (the default) draws none.
    void setBackgroundColor(const QColor& colour);
    QColor backgroundColor() const { return backgroundColour_; }

    bool isHighlighted() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateCursor();
    int indentOrZero() const;

    QColor textColour_{Qt::black};
    QColor highlightColour_;
    QColor backgroundColour_;
    bool clickable_ = false;
    bool hovered_ = false;
    bool pressed_ = false;
};

} // namespace zb
