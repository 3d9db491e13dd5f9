#pragma once
// A one-line label that keeps its whole text but shows it cut with "..." when it is wider than the
// label: player names are free text of any length, and the score card's columns and the tally's
// panels are narrow. It never asks a layout for more room than a short name needs. The text is
// plain: "<b>" in a name is shown, never rendered.

#include "controls/ink.h"
#include <QColor>
#include <QLabel>

namespace zb {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(const QString& text = QString(), QWidget* parent = nullptr);

    void setTextColor(const QColor& colour);
    QColor textColor() const { return colour_; }
    // A rounded background behind the text; invalid (the default) draws none.
    void setBackgroundColor(const QColor& colour);
    QColor backgroundColor() const { return background_; }
    // Before cutting, a text too wide is drawn in narrower, then smaller type down to this size;
    // 0 (the default) never shrinks.
    void setMinimumPixelSize(int pixels);
    // Whether the text fits without being cut.
    bool fits() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont fittedFont(int width) const;

    int minimumPixelSize_ = 0;
    QColor colour_ = ink::text();
    QColor background_;
};

} // namespace zb
