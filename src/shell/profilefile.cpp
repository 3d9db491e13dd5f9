#include "shell/profilefile.h"

#include "files/atomicwrite.h"
#include "files/regularfile.h"

#include <QByteArrayView>
#include <QDir>
#include <QLatin1String>
#include <utility>

namespace zb {

namespace {

// A UTF-8 byte order mark left by a Windows editor must not hide the first section line.
constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

struct KeyValue {
    QByteArrayView key;
    QByteArrayView value;
};

QByteArrayView withoutMark(QByteArrayView text, bool firstLine) {
    if (firstLine && text.startsWith(kByteOrderMark))
        return text.sliced(kByteOrderMark.size());
    return text;
}

std::optional<QByteArrayView> sectionName(QByteArrayView line) {
    QByteArrayView text = line.trimmed();
    if (!text.startsWith('['))
        return std::nullopt;
    text = text.sliced(1);
    const qsizetype close = text.indexOf(']');
    if (close >= 0)
        text = text.first(close);
    return text.trimmed();
}

std::optional<KeyValue> keyValue(QByteArrayView line) {
    const QByteArrayView text = line.trimmed();
    if (text.isEmpty() || text.startsWith(';') || text.startsWith('#') || text.startsWith('['))
        return std::nullopt;
    const qsizetype equals = text.indexOf('=');
    if (equals < 0)
        return std::nullopt;
    const QByteArrayView key = text.first(equals).trimmed();
    if (key.isEmpty())
        return std::nullopt;
    return KeyValue{key, text.sliced(equals + 1).trimmed()};
}

bool sameName(QByteArrayView latin1, QStringView name) {
    return QLatin1String(latin1.data(), latin1.size())
               .compare(name.trimmed(), Qt::CaseInsensitive) == 0;
}

// One line's worth of text: nothing in it may end the line early.
QByteArray encode(QStringView text) {
    QString safe = text.toString();
    for (QChar& c : safe) {
        if (c == u'\r' || c == u'\n' || c == u'\0')
            c = u'?';
    }
    return safe.toLatin1(); // characters outside Latin-1 become "?"
}

} // namespace

ProfileFile ProfileFile::load(const QString& path) {
    ProfileFile file;
    file.path_ = path;
    const files::ReadFile read = files::readRegularFile(path, kMaxSize);
    switch (read.status) {
    case files::ReadFile::Status::Missing:
        file.state_ = State::Missing;
        break;
    case files::ReadFile::Status::Read:
        file.parse(read.bytes);
        file.state_ = State::Read;
        break;
    default:
        file.state_ = State::Unreadable;
        file.unreadable_ = read.reason;
        break;
    }
    return file;
}

ProfileFile ProfileFile::movedTo(const QString& path) const {
    ProfileFile file = *this;
    file.path_ = path;
    if (state_ == State::Unreadable) {
        file.state_ = State::Missing;
        file.lines_.clear();
        file.unreadable_.clear();
    }
    return file;
}

ProfileFile ProfileFile::fromBytes(const QByteArray& bytes) {
    ProfileFile file;
    file.parse(bytes);
    file.state_ = State::Read;
    return file;
}

void ProfileFile::parse(const QByteArray& bytes) {
    lines_.clear();
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', pos);
        if (newline < 0) {
            lines_.append({bytes.sliced(pos), {}});
            break;
        }
        qsizetype end = newline;
        QByteArray eol("\n");
        if (end > pos && bytes.at(end - 1) == '\r') {
            --end;
            eol = "\r\n";
        }
        lines_.append({bytes.sliced(pos, end - pos), eol});
        pos = newline + 1;
    }
}

std::optional<ProfileFile::Span> ProfileFile::findSection(QStringView section) const {
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(withoutMark(lines_[i].text, i == 0));
        if (!name || !sameName(*name, section))
            continue;
        qsizetype end = i + 1;
        while (end < lines_.size() && !sectionName(lines_[end].text))
            ++end;
        return Span{i, end};
    }
    return std::nullopt;
}

std::optional<qsizetype> ProfileFile::findKey(const Span& span, QStringView key) const {
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        const auto entry = keyValue(lines_[i].text);
        if (entry && sameName(entry->key, key))
            return i;
    }
    return std::nullopt;
}

bool ProfileFile::hasKey(QStringView section, QStringView key) const {
    const auto span = findSection(section);
    return span && findKey(*span, key);
}

QString ProfileFile::value(QStringView section, QStringView key, const QString& fallback) const {
    const auto span = findSection(section);
    if (!span)
        return fallback;
    const auto at = findKey(*span, key);
    if (!at)
        return fallback;
    const QByteArrayView text = keyValue(lines_[*at].text)->value;
    return QString::fromLatin1(text.data(), text.size());
}

QByteArray ProfileFile::newLineEnding() const {
    // New lines follow the file's own style, judged by its first line ending.
    for (const Line& line : lines_) {
        if (!line.eol.isEmpty())
            return line.eol;
    }
    return QByteArray("\n");
}

void ProfileFile::ensureLastLineEnded() {
    if (!lines_.isEmpty() && lines_.last().eol.isEmpty())
        lines_.last().eol = newLineEnding();
}

void ProfileFile::setValue(QStringView section, QStringView key, const QString& value) {
    const QByteArray encodedValue = encode(value);
    const QByteArray eol = newLineEnding();
    const auto span = findSection(section);
    if (!span) {
        ensureLastLineEnded();
        lines_.append({'[' + encode(section.trimmed()) + ']', eol});
        lines_.append({encode(key.trimmed()) + '=' + encodedValue, eol});
        return;
    }
    if (const auto at = findKey(*span, key)) {
        // The key keeps the spelling it has in the file; only its value changes.
        const QByteArray spelling = keyValue(lines_[*at].text)->key.toByteArray();
        lines_[*at].text = spelling + '=' + encodedValue;
        return;
    }
    // After the section's last key, so comments and blank lines that lead into the next section
    // stay in front of it.
    qsizetype after = span->header;
    for (qsizetype i = span->header + 1; i < span->end; ++i) {
        if (keyValue(lines_[i].text))
            after = i;
    }
    if (lines_[after].eol.isEmpty())
        lines_[after].eol = eol;
    lines_.insert(after + 1, {encode(key.trimmed()) + '=' + encodedValue, eol});
}

QByteArray ProfileFile::toBytes() const {
    QByteArray bytes;
    for (const Line& line : lines_)
        bytes += line.text + line.eol;
    return bytes;
}

bool ProfileFile::save(QString* error) const {
    QString failure;
    if (path_.isEmpty())
        failure = QStringLiteral("the settings file has no name");
    else if (state_ == State::Unreadable)
        failure = QDir::toNativeSeparators(path_) + QStringLiteral(" : ") + unreadable_ +
                  QStringLiteral(", so it is not overwritten");
    else
        failure = files::writeAtomically(path_, toBytes());
    if (error)
        *error = failure;
    return failure.isEmpty();
}

} // namespace zb
