#pragma once
// A clickable picture: the throw and start pictures, the dice, the phrase buttons. It draws its
// own hover and pressed looks over any picture, so a picture needs only one drawing.

#include <QAbstractButton>
#include <QPixmap>
#include <functional>

namespace zb {

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    // Makes the picture for a device pixel ratio; the button asks again when its screen changes.
    using PictureSource = std::function<QPixmap(qreal dpr)>;

    explicit PictureButton(QWidget* parent = nullptr);

    void setPixmap(const QPixmap& pixmap);
    void setPictureSource(PictureSource source);
    QPixmap pixmap() const { return pixmap_; }

    // Dice stay fully coloured while they take no clicks; buttons fade. Default: true.
    void setDimWhenDisabled(bool dim);
    bool dimWhenDisabled() const { return dimWhenDisabled_; }

    // Whether the pointer is over an enabled button (the hover look is drawn).
    bool isHovered() const { return hovered_ && isEnabled(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void refreshFromSource(qreal drawnScale = 1.0);
    void updateCursor();

    QPixmap pixmap_;
    PictureSource source_;
    qreal sourceDpr_ = 0;
    bool dimWhenDisabled_ = true;
    bool hovered_ = false;
};

} // namespace zb
