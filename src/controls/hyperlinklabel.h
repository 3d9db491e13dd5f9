#pragma once
// A text that looks and behaves like a web link: underlined, a hand pointer, a brighter colour
// under the pointer. It opens nothing itself; whoever owns it decides what activated(url) does.

#include <QColor>
#include <QLabel>

namespace zb {

class HyperlinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit HyperlinkLabel(QWidget* parent = nullptr);
    HyperlinkLabel(const QString& text, const QString& url, QWidget* parent = nullptr);

    void setUrl(const QString& url);
    QString url() const { return url_; }

    void setLinkColor(const QColor& colour);
    QColor linkColor() const { return linkColour_; }
    void setHoverColor(const QColor& colour);
    QColor hoverColor() const { return hoverColour_; }

    bool isHovered() const { return hovered_ && isEnabled(); }

signals:
    void activated(const QString& url);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyLook();

    QString url_;
    QColor linkColour_{0x00, 0x66, 0xCC};
    QColor hoverColour_{0x00, 0x99, 0xFF};
    bool hovered_ = false;
    bool pressed_ = false;
};

} // namespace zb
