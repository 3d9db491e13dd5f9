#include "shell/errorreport.h"

#include "net/guard.h"

#include <QMessageBox>

namespace zb {

ErrorReport::ErrorReport(QObject* parent) : QObject(parent) {}

ErrorReport::~ErrorReport() {
    if (installed_)
        setErrorReporter(nullptr);
    if (box_)
        delete box_.data();
}

void ErrorReport::install() {
    setErrorReporter([this](const QString& text) { report(text); });
    installed_ = true;
}

void ErrorReport::report(const QString& text) {
    if (box_) {
        ++extra_;
        refresh();
        return;
    }
    firstText_ = text;
    extra_ = 0;
    auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Zorbinet"), text,
                                QMessageBox::Ok, parentWindow_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box_ = box;
    box->open();
}

void ErrorReport::refresh() {
    if (!box_)
        return;
    box_->setInformativeText(extra_ == 1
                                 ? QStringLiteral("1 more error happened since.")
                                 : QStringLiteral("%1 more errors happened since.").arg(extra_));
}

} // namespace zb
