#include "shell/serverwindow.h"

#include "host/tserver.h"

namespace zb {

ServerWindow::ServerWindow(std::function<int()> botSpeed, rules::Random& random, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Server"));
    setWindowTitle(QStringLiteral("Server"));
    server_ = new TServer(std::move(botSpeed), random, this);
}

ServerWindow::~ServerWindow() = default;

} // namespace zb
