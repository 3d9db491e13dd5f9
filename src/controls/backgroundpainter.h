#pragma once
// A panel that paints the table's background: a base colour with a quiet procedural texture. The
// table window, the start dialog, the spy list and the phrase editor all sit on one.

#include <QColor>
#include <QWidget>

namespace zb {

class BackgroundPainter : public QWidget {
    Q_OBJECT
public:
    explicit BackgroundPainter(QWidget* parent = nullptr);
    explicit BackgroundPainter(const QColor& base, QWidget* parent = nullptr);

    void setBaseColor(const QColor& colour);
    QColor baseColor() const { return base_; }

    // Without texture the panel is a plain fill of the base colour. Default: textured.
    void setTextured(bool textured);
    bool isTextured() const { return textured_; }

    // A 1-pixel border; invalid (the default) draws none.
    void setBorderColor(const QColor& colour);
    QColor borderColor() const { return border_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor base_;
    QColor border_;
    bool textured_ = true;
};

} // namespace zb
