#pragma once

#include <QWidget>

namespace zb {

// The window "Zorbinet - Help File".
class Thelp : public QWidget {
    Q_OBJECT
public:
    explicit Thelp(QWidget* parent = nullptr);
};

} // namespace zb
