#include "controls/memoryresource.h"

#include <QResource>
#include <QtEndian>
#include <algorithm>
#include <list>
#include <vector>

namespace zb {
namespace {

// Format version 1: a header, then a table of tree nodes (14 bytes each, the root first, a
// folder's children in a row sorted by the hash of their names), the names and the payloads.
constexpr quint16 kDirectory = 0x02;
constexpr quint16 kAnyTerritory = 0;
constexpr quint16 kLanguageC = 1;
constexpr int kHeaderSize = 20;

// The hash Qt's resource lookup compares names by (its qt_hash()).
quint32 nameHash(const QString& name) {
    quint32 h = 0;
    for (const QChar c : name) {
        h = (h << 4) + c.unicode();
        h ^= (h & 0xf0000000) >> 23;
        h &= 0x0fffffff;
    }
    return h;
}

void put16(QByteArray& out, quint16 v) {
    char b[2];
    qToBigEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray& out, quint32 v) {
    char b[4];
    qToBigEndian(v, b);
    out.append(b, 4);
}

void set32(QByteArray& out, int at, quint32 v) {
    qToBigEndian(v, out.data() + at);
}

// A name entry: length, hash, then the UTF-16 characters; returns its offset.
quint32 addName(QByteArray& names, const QString& name) {
    const auto at = quint32(names.size());
    put16(names, quint16(name.size()));
    put32(names, nameHash(name));
    for (const QChar c : name)
        put16(names, c.unicode());
    return at;
}

} // namespace

QByteArray memoryResourceData(const QString& folder,
                              const QList<QPair<QString, QByteArray>>& files) {
    std::vector<QPair<QString, QByteArray>> sorted(files.begin(), files.end());
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return nameHash(a.first) < nameHash(b.first);
    });
    QByteArray tree;
    QByteArray names;
    QByteArray payloads;
    // Node 0: the root, with one child (node 1, the folder), whose children are nodes 2...
    put32(tree, addName(names, QString()));
    put16(tree, kDirectory);
    put32(tree, 1);
    put32(tree, 1);
    put32(tree, addName(names, folder));
    put16(tree, kDirectory);
    put32(tree, quint32(sorted.size()));
    put32(tree, 2);
    for (const auto& [name, bytes] : sorted) {
        put32(tree, addName(names, name));
        put16(tree, 0);
        put16(tree, kAnyTerritory);
        put16(tree, kLanguageC);
        put32(tree, quint32(payloads.size()));
        put32(payloads, quint32(bytes.size()));
        payloads.append(bytes);
    }
    QByteArray out("qres");
    put32(out, 1);
    put32(out, 0); // tree, data and names offsets, set below
    put32(out, 0);
    put32(out, 0);
    const int treeAt = int(out.size());
    out.append(tree);
    const int dataAt = int(out.size());
    out.append(payloads);
    const int namesAt = int(out.size());
    out.append(names);
    set32(out, 8, quint32(treeAt));
    set32(out, 12, quint32(dataAt));
    set32(out, 16, quint32(namesAt));
    Q_ASSERT(treeAt == kHeaderSize);
    return out;
}

bool registerMemoryResource(const QString& folder, const QList<QPair<QString, QByteArray>>& files) {
    // Qt reads the registered bytes where they are, for as long as the program runs.
    static std::list<QByteArray> kept;
    kept.push_back(memoryResourceData(folder, files));
    return QResource::registerResource(reinterpret_cast<const uchar*>(kept.back().constData()));
}

} // namespace zb
