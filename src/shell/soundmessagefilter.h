#pragma once
// On a machine without a sound server or device, Qt Multimedia prints a warning or two on first
// use. The game must stay quiet there, so these messages, and only these, are dropped; every
// other message goes on to the handler that was installed before.

#include <QString>
#include <QtGlobal>

namespace zb {

// Whether a message is one of the audio back end's "there is no audio here" complaints.
bool isMissingAudioMessage(QtMsgType type, const QString& message);

// Installs the filter in front of the current message handler. Calling it again re-chains it in
// front of whatever handler is current, unless that is the filter itself.
void installAudioMessageFilter();

} // namespace zb
