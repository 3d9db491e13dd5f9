#pragma once
// A label for a player's name inside a fixed-size panel: a long name is cut with "..." to the
// space the label has, and the whole name is its tooltip. It never asks its layout for more room.

#include <QLabel>

namespace zb {

class ElidingLabel : public QLabel {
public:
    explicit ElidingLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    QString fullText() const { return full_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString full_;
};

} // namespace zb
