#include "side/tabout.h"

#include "controls/escapecloses.h"
#include "controls/flatstyle.h"
#include "controls/hyperlinklabel.h"
#include "controls/picturebutton.h"
#include "controls/pictures.h"
#include "controls/windowcentre.h"
#include "net/guard.h"

#include <QDate>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>

namespace zb {
namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 250;

QLabel* line(QWidget* parent, const QString& text, const QRect& geometry, int points, bool bold,
             Qt::Alignment alignment = Qt::AlignCenter) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    QFont font = label->font();
    font.setPointSize(points);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

} // namespace

QString copyrightLine(int year) {
    return QStringLiteral("Copyright \u00A9 Quon77 %1").arg(year);
}

Tabout::Tabout(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      opener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("tabout"));
    setWindowTitle(QStringLiteral("Zorbinet - About"));
    closeOnEscape(this);
    setFixedSize(kWidth, kHeight);
    flat::applyFlatStyle(this);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    logo = new PictureButton(this);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setPictureSource([](qreal dpr) { return pics::logo(pics::kLogoSize, dpr); });
    logo->setGeometry((kWidth - pics::kLogoSize.width()) / 2, 14, pics::kLogoSize.width(),
                      pics::kLogoSize.height());

    // "Version 1.0.4.14", built from three labels so `version` holds the reported text alone.
    line(this, QStringLiteral("Version"), QRect(60, 90, 84, 20), 10, true,
         Qt::AlignRight | Qt::AlignVCenter);
    version = line(this, QString::fromLatin1(kVersion), QRect(148, 90, 40, 20), 10, true,
                   Qt::AlignLeft | Qt::AlignVCenter);
    version->setObjectName(QStringLiteral("version"));
    version->adjustSize();
    version->setFixedHeight(20);
    build = line(this, QString::fromLatin1(kBuild), QRect(148 + version->width(), 90, 40, 20), 10,
                 true, Qt::AlignLeft | Qt::AlignVCenter);
    build->setObjectName(QStringLiteral("build"));

    yearLine =
        line(this, copyrightLine(QDate::currentDate().year()), QRect(10, 118, 280, 18), 9, false);
    line(this, QStringLiteral("All Rights Reserved."), QRect(10, 136, 280, 18), 9, false);
    webAddress = new HyperlinkLabel(QStringLiteral("www.quon77.com"),
                                    QString::fromLatin1(kWebAddress), this);
    webAddress->setAlignment(Qt::AlignCenter);
    webAddress->setGeometry(60, 162, 180, 20);
    done = new QPushButton(QStringLiteral("Done"), this);
    done->setGeometry(110, 202, 80, 28);
    done->setDefault(true);

    connect(logo, &QAbstractButton::clicked, this, [this] { guarded([this] { logoClick(); }); });
    connect(done, &QPushButton::clicked, this, [this] { guarded([this] { doneClick(); }); });
    connect(webAddress, &HyperlinkLabel::activated, this,
            [this] { guarded([this] { webAddressClick(); }); });
}

QString Tabout::versionText() const {
    return version->text();
}

void Tabout::logoClick() {
    hide();
}

void Tabout::doneClick() {
    close();
}

void Tabout::webAddressClick() {
    if (opener_)
        opener_(QUrl(webAddress->url()));
}

void Tabout::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    centreOver(this, anchor_ ? anchor_ : parentWidget());
}

} // namespace zb
