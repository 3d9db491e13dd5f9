#include "side/thelp.h"

#include "controls/escapecloses.h"
#include "controls/flatstyle.h"
#include "controls/pictures.h"
#include "controls/windowcentre.h"
#include "net/guard.h"
#include "side/tabout.h"
#include "side/thelppages.h"

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

namespace zb {
namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 440;
constexpr int kButtonTop = 44;
constexpr int kButtonStep = 36;

} // namespace

Thelp::Thelp(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("thelp"));
    setWindowTitle(QStringLiteral("Zorbinet - Help File"));
    closeOnEscape(this);
    setFixedSize(kWidth, kHeight);
    flat::applyFlatStyle(this);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pics::panelColour());
    setPalette(pal);

    const auto& pages = helpPages();
    for (int n = 1; n <= kButtons; ++n) {
        const QString caption = n <= kHelpPages     ? pages[n].caption
                                : n == kAboutButton ? QStringLiteral("About")
                                                    : QStringLiteral("Done");
        button[n] = new QPushButton(caption, this);
        button[n]->setObjectName(QStringLiteral("button%1").arg(n));
        // "Done" stands apart from the pages at the bottom of the column.
        const int top = n == kDoneButton ? kHeight - 76 : kButtonTop + (n - 1) * kButtonStep;
        button[n]->setGeometry(12, top, 124, 30);
        connect(button[n], &QPushButton::clicked, this,
                [this, n] { guarded([this, n] { buttonClick(n); }); });
    }

    heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setTextFormat(Qt::PlainText);
    heading->setGeometry(150, 8, kWidth - 162, 30);
    QFont big = heading->font();
    big.setPointSize(15);
    big.setBold(true);
    heading->setFont(big);

    pageText = new QTextBrowser(this);
    pageText->setObjectName(QStringLiteral("pageText"));
    pageText->setGeometry(150, kButtonTop, kWidth - 162, kHeight - kButtonTop - 46);
    pageText->setOpenLinks(false);
    pageText->document()->setDocumentMargin(10);

    yearLine = new QLabel(copyrightLine(QDate::currentDate().year()), this);
    yearLine->setObjectName(QStringLiteral("yearLine"));
    yearLine->setGeometry(12, kHeight - 32, kWidth - 24, 22);
    yearLine->setAlignment(Qt::AlignCenter);

    showPage(1);
}

void Thelp::showPage(int page) {
    if (page < 1 || page > kHelpPages)
        return;
    page_ = page;
    heading->setText(helpPages()[page].caption);
    pageText->setHtml(helpPages()[page].html);
}

void Thelp::buttonClick(int number) {
    if (number >= 1 && number <= kHelpPages) {
        showPage(number);
    } else if (number == kAboutButton) {
        if (about_) {
            about_->show();
            about_->raise();
            about_->activateWindow();
        }
    } else if (number == kDoneButton) {
        hide();
    }
}

void Thelp::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    centreOver(this, anchor_ ? anchor_ : parentWidget());
}

} // namespace zb
