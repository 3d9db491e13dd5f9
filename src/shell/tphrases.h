#pragma once

#include <QWidget>

namespace zb {

// The window "Phrase Buttons - Zorbinet".
class Tphrases : public QWidget {
    Q_OBJECT
public:
    explicit Tphrases(QWidget* parent = nullptr);
};

} // namespace zb
