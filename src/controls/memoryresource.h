#pragma once
// Pictures made in code, reachable by a resource path (":/<folder>/<name>") like compiled-in
// files: a style sheet's url() reads only files and resources, and the program ships no picture
// files. The bytes are laid out in the resource format that Qt reads compiled-in data from, kept
// for the life of the program and registered once.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace zb {

// Registers the files (name, bytes) under ":/<folder>/". Names are plain file names, distinct,
// without "/". False if Qt refused the data. Each folder is to be registered once.
bool registerMemoryResource(const QString& folder, const QList<QPair<QString, QByteArray>>& files);

// The bytes registerMemoryResource() hands to Qt (exposed for tests).
QByteArray memoryResourceData(const QString& folder,
                              const QList<QPair<QString, QByteArray>>& files);

} // namespace zb
