#include "shell/chattersoundmenu.h"

#include "shell/soundnames.h"

#include <QAction>

namespace zb {

ChatterSoundMenu::ChatterSoundMenu(QWidget* parent) : QMenu(parent) {
    setObjectName(QStringLiteral("popup_sounds"));
    for (int k = 0; k <= kEntries; ++k) {
        const QString caption = sound::chatterCaption(k);
        QAction* entry = addAction(caption);
        entry->setObjectName(k == 0 ? QStringLiteral("cancel") : sound::chatterSoundName(k));
        entry->setToolTip(caption);
        entry->setStatusTip(caption);
        // The signal carries only the number; its receiver guards what it does with it.
        connect(entry, &QAction::triggered, this, [this, k] { emit chosen(k); });
        wave_[static_cast<size_t>(k)] = entry;
    }
}

QAction* ChatterSoundMenu::wave(int k) const {
    if (k < 0 || k > kEntries)
        return nullptr;
    return wave_[static_cast<size_t>(k)];
}

void ChatterSoundMenu::popupBelowRight(const QWidget* anchor) {
    popup(anchor->mapToGlobal(QPoint(anchor->width(), anchor->height())));
}

} // namespace zb
