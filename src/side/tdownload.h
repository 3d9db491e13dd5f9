#pragma once

#include <QWidget>

namespace zb {

// The window "Download The Quon77 Lobby".
class Tdownload : public QWidget {
    Q_OBJECT
public:
    explicit Tdownload(QWidget* parent = nullptr);
};

} // namespace zb
