#pragma once

#include <QWidget>

namespace zb {

// The window "Zorbinet - Start Game".
class Tgamestartform : public QWidget {
    Q_OBJECT
public:
    explicit Tgamestartform(QWidget* parent = nullptr);
};

} // namespace zb
