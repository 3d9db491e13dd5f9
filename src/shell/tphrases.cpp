#include "shell/tphrases.h"

namespace zb {

Tphrases::Tphrases(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("tphrases"));
    setWindowTitle(QStringLiteral("Phrase Buttons - Zorbinet"));
}

} // namespace zb
