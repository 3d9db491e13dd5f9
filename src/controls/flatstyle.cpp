#include "flatstyle.h"

#include "controls/ink.h"
#include "controls/memoryresource.h"

#include <QBuffer>
#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QToolButton>
#include <QWidget>
#include <mutex>

namespace zb::flat {
namespace {

constexpr int kTickSize = 12; // the check box indicator's inside, in logical pixels

// A check mark filling a box of kTickSize, drawn at a device pixel ratio, as PNG bytes.
QByteArray tickPicture(const QColor& colour, int scale) {
    QImage image(kTickSize * scale, kTickSize * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        QPainterPath tick;
        tick.moveTo(2.6, 6.4);
        tick.lineTo(5.0, 8.8);
        tick.lineTo(9.6, 3.4);
        p.setPen(QPen(colour, 1.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The check marks, made once, under ":/zbflat/"; "@2x" names serve screens of twice the density.
void registerTicks() {
    static std::once_flag once;
    std::call_once(once, [] {
        QList<QPair<QString, QByteArray>> files;
        for (const auto& [name, colour] :
             {std::pair{QStringLiteral("tick"), QColor(Qt::white)},
              std::pair{QStringLiteral("tick-disabled"), QColor(0x8A, 0x93, 0xA0)}}) {
            files.append({name + QStringLiteral(".png"), tickPicture(colour, 1)});
            files.append({name + QStringLiteral("@2x.png"), tickPicture(colour, 2)});
        }
        registerMemoryResource(QStringLiteral("zbflat"), files);
    });
}

} // namespace

QString tickImage(bool enabled) {
    registerTicks();
    return enabled ? QStringLiteral(":/zbflat/tick.png")
                   : QStringLiteral(":/zbflat/tick-disabled.png");
}

QString styleSheet() {
    return QStringLiteral(R"(
QLineEdit, QPlainTextEdit, QTextEdit, QSpinBox {
    background: #ffffff; color: @ink;
    border: 1px solid #9aa7b5; border-radius: 3px; padding: 1px 4px;
    selection-background-color: #4a90e2; selection-color: #ffffff;
}
QLineEdit:focus, QPlainTextEdit:focus, QTextEdit:focus, QSpinBox:focus { border-color: #4a90e2; }
QLineEdit:disabled { background: #f0f2f5; color: #8a93a0; }
QPushButton {
    color: @ink;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e3e9f0);
    border: 1px solid #8c98a8; border-radius: 4px; padding: 3px 14px; min-height: 16px;
}
QPushButton:hover { background: #eef5fd; border-color: #4a90e2; }
QPushButton:pressed { background: #d3e1f1; }
QPushButton:default { border-color: #2f6fbf; }
QPushButton:disabled { color: #9aa2ae; background: #f0f2f5; border-color: #c4cad3; }
QToolButton[zbSpeed="true"] {
    background: transparent; border: 1px solid transparent; border-radius: 3px; padding: 1px;
}
QToolButton[zbSpeed="true"]:hover { background: rgba(255, 255, 255, 140); border-color: #8c98a8; }
QToolButton[zbSpeed="true"]:pressed { background: rgba(0, 0, 0, 40); }
QToolButton[zbSpeed="true"]::menu-indicator { image: none; width: 0px; }
QCheckBox { spacing: 6px; }
QCheckBox::indicator {
    width: 12px; height: 12px; border: 1px solid #7c8898; border-radius: 3px; background: #ffffff;
}
QCheckBox::indicator:hover { border-color: #4a90e2; }
QCheckBox::indicator:checked { background: #2f6fbf; border: 1px solid #1f4f8f; image: url(@tick); }
QCheckBox::indicator:checked:hover { background: #3d7fd1; }
QCheckBox::indicator:disabled { background: #e6e9ee; border-color: #c4cad3; }
QCheckBox::indicator:checked:disabled { image: url(@tickoff); }
QListView, QListWidget, QTreeView, QTableView {
    background: #ffffff; border: 1px solid #9aa7b5; border-radius: 3px;
    selection-background-color: #4a90e2; selection-color: #ffffff;
}
QScrollBar:vertical { background: transparent; width: 10px; margin: 0; }
QScrollBar::handle:vertical { background: #aab4c2; border-radius: 4px; min-height: 20px; margin: 1px; }
QScrollBar::handle:vertical:hover { background: #8c98a8; }
QScrollBar:horizontal { background: transparent; height: 10px; margin: 0; }
QScrollBar::handle:horizontal { background: #aab4c2; border-radius: 4px; min-width: 20px; margin: 1px; }
QScrollBar::handle:horizontal:hover { background: #8c98a8; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0px; height: 0px; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
QToolTip { color: @ink; background: #fffbe6; border: 1px solid #c8b46a; padding: 2px; }
)")
        .replace(QStringLiteral("@ink"), ink::textName())
        .replace(QStringLiteral("@tickoff"), tickImage(false))
        .replace(QStringLiteral("@tick"), tickImage(true));
}

void applyFlatStyle(QWidget* root) {
    if (!root) {
        return;
    }
    QPalette pal = root->palette();
    pal.setColor(QPalette::Highlight, QColor(0x4A, 0x90, 0xE2));
    pal.setColor(QPalette::HighlightedText, Qt::white);
    pal.setColor(QPalette::Link, QColor(0x00, 0x66, 0xCC));
    root->setPalette(pal);
    root->setStyleSheet(styleSheet());
}

void makePanel(QFrame* frame, const QColor& fill, const QColor& border) {
    if (!frame) {
        return;
    }
    // The rule names this frame alone, so frames and labels inside the panel keep their looks.
    if (frame->objectName().isEmpty()) {
        static int counter = 0;
        frame->setObjectName(QStringLiteral("zbPanel%1").arg(++counter));
    }
    QString rule = QStringLiteral("QFrame#%1 { background-color: %2; ")
                       .arg(frame->objectName(), fill.name(QColor::HexArgb));
    if (border.isValid()) {
        rule += QStringLiteral("border: 1px solid %1; ").arg(border.name(QColor::HexArgb));
    } else {
        rule += QStringLiteral("border: none; ");
    }
    rule += QStringLiteral("}");
    frame->setStyleSheet(rule);
}

void makeSpeedButton(QToolButton* button) {
    if (!button) {
        return;
    }
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setProperty("zbSpeed", true);
    // A dynamic property takes part in style-sheet matching only after a re-polish.
    button->style()->unpolish(button);
    button->style()->polish(button);
}

} // namespace zb::flat
