#pragma once

#include <QWidget>

namespace zb {

// The window "Zorbinet -Spys".
class Tspylist : public QWidget {
    Q_OBJECT
public:
    explicit Tspylist(QWidget* parent = nullptr);
};

} // namespace zb
