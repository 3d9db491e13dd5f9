#pragma once
// The chatter sound menu `popup_sounds`: "<Cancel>" and the twenty chatter sounds, in the order
// of their numbers. Entry k (1..20) is named "wave<k>" like its sound; each entry's hint is its
// caption. The menu only tells which entry was chosen; whether it may be sent is the sender's
// business.

#include <QMenu>
#include <array>

class QAction;

namespace zb {

class ChatterSoundMenu : public QMenu {
    Q_OBJECT
public:
    static constexpr int kEntries = 20; // chatter sounds; entry 0 is "<Cancel>"

    explicit ChatterSoundMenu(QWidget* parent = nullptr);

    // Entry k, 0..20; null for any other k.
    QAction* wave(int k) const;

    // Opens the menu with its top left corner at the lower right corner of the widget.
    void popupBelowRight(const QWidget* anchor);

signals:
    // Entry k was chosen (0 for "<Cancel>").
    void chosen(int k);

private:
    std::array<QAction*, kEntries + 1> wave_{};
};

} // namespace zb
