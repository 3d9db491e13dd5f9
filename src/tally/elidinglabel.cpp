#include "tally/elidinglabel.h"

#include <QResizeEvent>

namespace zb {
namespace {

// Room a label claims whatever it holds; the rest of the panel's width is given by the layout.
constexpr int kClaimedWidth = 40;

} // namespace

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {
    // A name is whatever a player typed; "<b>" in it is shown, never rendered.
    setTextFormat(Qt::PlainText);
}

void ElidingLabel::setFullText(const QString& text) {
    full_ = text;
    setToolTip(text);
    elide();
}

QSize ElidingLabel::sizeHint() const {
    return {kClaimedWidth, QLabel::sizeHint().height()};
}

QSize ElidingLabel::minimumSizeHint() const {
    return {kClaimedWidth, QLabel::minimumSizeHint().height()};
}

void ElidingLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ElidingLabel::elide() {
    setText(fontMetrics().elidedText(full_, Qt::ElideRight, contentsRect().width()));
}

} // namespace zb
