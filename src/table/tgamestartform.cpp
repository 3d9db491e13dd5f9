#include "table/tgamestartform.h"

namespace zb {

Tgamestartform::Tgamestartform(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("tgamestartform"));
    setWindowTitle(QStringLiteral("Zorbinet - Start Game"));
}

} // namespace zb
