#pragma once

#include <QWidget>

namespace zb {

// The window "Zorbinet - About".
class Tabout : public QWidget {
    Q_OBJECT
public:
    explicit Tabout(QWidget* parent = nullptr);
};

} // namespace zb
