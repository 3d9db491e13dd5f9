#pragma once
// The window "Zorbinet - Start Game": two choices for the next game and the start picture. It is
// hidden, not destroyed, after use, so the choices stay as they were for the next game. It is
// played from the keyboard as well: Tab goes from choice to choice and to the start picture,
// Space ticks a choice or presses the picture, Return starts, Escape closes without starting.

#include "net/gameoptions.h"

#include <QPointer>
#include <QWidget>

class QCheckBox;

namespace zb {

class PictureButton;

class Tgamestartform : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kSize{220, 130};

    explicit Tgamestartform(QWidget* parent = nullptr);

    QCheckBox* team() const { return team_; }
    QCheckBox* bonus() const { return bonus_; }
    PictureButton* button_start() const { return start_; }

    // The choices as the check boxes show them.
    GameOptions options() const;

    // The table window it stays on top of and is centred over.
    void setTable(QWidget* table);
    void showOver(QWidget* table);

signals:
    // The start picture was clicked (or Return pressed); the window has hidden itself.
    void startClicked(const zb::GameOptions& options);
    // Closed without starting.
    void dismissed();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void start();

    QCheckBox* team_ = nullptr;
    QCheckBox* bonus_ = nullptr;
    PictureButton* start_ = nullptr;
    QPointer<QWidget> table_;
};

} // namespace zb
