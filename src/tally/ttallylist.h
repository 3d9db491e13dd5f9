#pragma once

#include <QWidget>

namespace zb {

// The window "Zorbinet - Tally List".
class Ttallylist : public QWidget {
    Q_OBJECT
public:
    explicit Ttallylist(QWidget* parent = nullptr);
};

} // namespace zb
