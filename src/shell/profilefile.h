#pragma once
// A Windows-style profile file: "[section]" lines, each followed by "key=value" lines. The settings
// file is shared with the lobby, so this class changes only the lines it is asked to change and
// keeps every other byte (other sections, comments, blank lines, odd lines, each line's own
// CRLF or LF ending) exactly as it found it.
//
// Matching follows the Windows profile functions: section and key names ignore letter case and
// surrounding blanks, values are trimmed, the first "=" ends the key (a value may hold more "="),
// lines starting with ";" or "#" are comments, and of two sections or keys with the same name the
// first one is used for reading and writing alike. Text is Latin-1, one byte per character.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

namespace zb {

class ProfileFile {
public:
    // A settings file is a few hundred bytes. A bigger file is not ours to parse: it is treated
    // as unreadable, and it is never rewritten (see save()).
    static constexpr qint64 kMaxSize = 1024 * 1024;

    enum class State {
        Missing,    // no file: reads as empty, save() creates it
        Read,       // parsed
        Unreadable, // too big, not a regular file, or no permission: reads as empty, never saved
    };

    // Reads the whole file now; nothing touches the disk again until save().
    static ProfileFile load(const QString& path);
    // The same parser over bytes in memory (state Read, no path).
    static ProfileFile fromBytes(const QByteArray& bytes);

    State state() const { return state_; }
    const QString& path() const { return path_; }

    bool hasKey(QStringView section, QStringView key) const;
    // The trimmed value of the first matching key of the first matching section, else fallback.
    QString value(QStringView section, QStringView key, const QString& fallback = {}) const;
    // Replaces the value in place, or appends the key at the end of its section, or appends the
    // section at the end of the file. Characters that would break the line (CR, LF, NUL) and
    // characters outside Latin-1 are stored as "?".
    void setValue(QStringView section, QStringView key, const QString& value);

    // The same lines, to be saved under another path: a file read where it cannot be written
    // goes on in the folder that can. What could not be read there is not carried over, and
    // saving it elsewhere loses nothing, so an unreadable file becomes a missing one.
    ProfileFile movedTo(const QString& path) const;

    QByteArray toBytes() const;
    // Replaces the file atomically with toBytes(), creating its folder if needed; every write is
    // checked, and on any failure the old file stays. Refused for an unreadable file, so content
    // we could not read is never lost. On failure error (when given) gets the reason.
    bool save(QString* error = nullptr) const;

private:
    struct Line {
        QByteArray text; // without its line ending
        QByteArray eol;  // "\r\n", "\n", or empty for a last line without one
    };
    struct Span {
        qsizetype header; // index of the section line
        qsizetype end;    // one past its last line
    };

    void parse(const QByteArray& bytes);
    std::optional<Span> findSection(QStringView section) const;
    std::optional<qsizetype> findKey(const Span& span, QStringView key) const;
    QByteArray newLineEnding() const;
    void ensureLastLineEnded();

    QString path_;
    State state_ = State::Missing;
    QString unreadable_; // why the file could not be read
    QList<Line> lines_;
};

} // namespace zb
