#include "registry/WineRegFile.h"

#include "registry/WineRegSyntax.h"

#include <QStringList>

namespace {

using namespace wineregsyntax;

constexpr char kSignature[] = "WINE REGISTRY Version 2";

// One line of the file: its text runs from begin to end (without the line break), the next
// line starts at next.
struct Line {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
    bool hasBreak = false;
};

class Lines {
public:
    explicit Lines(const QByteArray& content)
        : m_content(content)
    {
    }
    bool atEnd() const { return m_pos >= m_content.size(); }
    Line take()
    {
        Line line;
        line.begin = m_pos;
        const qsizetype lf = m_content.indexOf('\n', m_pos);
        line.hasBreak = lf >= 0;
        line.end = lf >= 0 ? lf : m_content.size();
        line.next = lf >= 0 ? lf + 1 : m_content.size();
        m_pos = line.next;
        return line;
    }

private:
    const QByteArray& m_content;
    qsizetype m_pos = 0;
};

// The text of a line without a carriage return before its line break.
qsizetype textEnd(const QByteArray& s, const Line& line)
{
    return line.end > line.begin && s[line.end - 1] == '\r' ? line.end - 1 : line.end;
}

QByteArray lineBreakOf(const QByteArray& s, const Line& line)
{
    return line.end > line.begin && s[line.end - 1] == '\r' ? QByteArrayLiteral("\r\n")
                                                            : QByteArrayLiteral("\n");
}

bool startsWithAt(const QByteArray& s, qsizetype pos, qsizetype end, const char* prefix)
{
    const qsizetype n = qsizetype(qstrlen(prefix));
    return end - pos >= n && s.mid(pos, n) == QByteArray::fromRawData(prefix, n);
}

bool pathsEqual(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool liesBelow(const QString& path, const QString& key)
{
    return path.size() > key.size() && path.at(key.size()) == QLatin1Char('\\') &&
           path.startsWith(key, Qt::CaseInsensitive);
}

QByteArray nameToken(const QString& name)
{
    if (name.isEmpty())
        return QByteArrayLiteral("@=");
    return '"' + wineregsyntax::escape(name, '"', '"') + "\"=";
}

bool isQuotedData(const QByteArray& s, qsizetype p, qsizetype end)
{
    if (!startsWithAt(s, p, end, "\"") && !startsWithAt(s, p, end, "str:\"") &&
        !startsWithAt(s, p, end, "str(2):\"") && !startsWithAt(s, p, end, "str(7):\""))
        return false;
    QString ignored;
    return unescape(s, s.indexOf('"', p) + 1, end, '"', &ignored) >= 0;
}

bool isDwordData(const QByteArray& s, qsizetype p, qsizetype end)
{
    if (!startsWithAt(s, p, end, "dword:"))
        return false;
    qsizetype q = skipBlanks(s, p + 6, end);
    if (q < end && (s[q] == '+' || s[q] == '-'))
        ++q;
    if (startsWithAt(s, q, end, "0x") || startsWithAt(s, q, end, "0X"))
        q += 2;
    return q < end && isHexDigit(s[q]);
}

// Hex data, "hex:" or "hex(TYPE):", which may go on over further lines, each line but the last
// ending in "\". The value's last line, or nothing when the data is not hex data.
std::optional<Line> hexDataEnd(const QByteArray& s, qsizetype p, const Line& line, Lines& lines)
{
    if (!startsWithAt(s, p, line.end, "hex:") && !startsWithAt(s, p, line.end, "hex("))
        return std::nullopt;
    qsizetype q = p + 4;
    if (s[p + 3] == '(') {
        const qsizetype digits = q;
        while (q < line.end && isHexDigit(s[q]))
            ++q;
        if (q == digits || !startsWithAt(s, q, line.end, "):"))
            return std::nullopt;
        q += 2;
    }
    Line last = line;
    for (;;) {
        q = skipHexBytes(s, q, last.end);
        if (q < 0)
            return std::nullopt;
        q = skipBlanks(s, q, last.end);
        if (q == last.end)
            return last;
        if (s[q] != '\\' || lines.atEnd())
            return std::nullopt;
        last = lines.take();
        q = skipBlanks(s, last.begin, last.end);
    }
}

// A value's lines, from its name on the first (p is where the name starts).
struct ValueText {
    QString name;
    qsizetype dataBegin = 0;
    Line last;
};

std::optional<ValueText> readValue(const QByteArray& s, const Line& line, qsizetype p, Lines& lines)
{
    ValueText value;
    if (s[p] == '"') {
        p = unescape(s, p + 1, line.end, '"', &value.name);
        if (p < 0)
            return std::nullopt;
    }
    p = skipBlanks(s, p + 1, line.end);
    if (p >= line.end || s[p] != '=')
        return std::nullopt;
    p = skipBlanks(s, p + 1, line.end);
    value.dataBegin = p;
    if (isQuotedData(s, p, line.end) || isDwordData(s, p, line.end)) {
        value.last = line;
        return value;
    }
    const std::optional<Line> last = hexDataEnd(s, p, line, lines);
    if (!last)
        return std::nullopt;
    value.last = *last;
    return value;
}

} // namespace

std::optional<WineRegFile> WineRegFile::parse(const QByteArray& content)
{
    // The Wine server reads lines as C strings; a zero byte has no place in a registry file.
    if (content.contains('\0'))
        return std::nullopt;

    WineRegFile file;
    file.m_content = content;
    const QByteArray& s = file.m_content;
    Lines lines(s);
    if (lines.atEnd())
        return std::nullopt;
    const Line first = lines.take();
    if (s.mid(first.begin, textEnd(s, first) - first.begin) != kSignature)
        return std::nullopt;

    Section* current = nullptr;
    auto noteContent = [&](const Line& line) {
        current->appendAt = line.next;
        current->appendNeedsBreak = !line.hasBreak;
        current->appendNewline = lineBreakOf(s, line);
    };

    while (!lines.atEnd()) {
        const Line line = lines.take();
        const qsizetype p = skipBlanks(s, line.begin, line.end);
        if (p == line.end)
            continue;
        const char c = s[p];
        if (c == '[') {
            Section section;
            if (unescape(s, p + 1, line.end, ']', &section.path) < 0)
                return std::nullopt;
            section.headerBegin = line.begin;
            section.headerNewline = lineBreakOf(s, line);
            file.m_sections.push_back(std::move(section));
            current = &file.m_sections.back();
            noteContent(line);
        } else if (c == '#' || c == ';') {
            if (current)
                noteContent(line);
        } else {
            if ((c != '"' && c != '@') || !current)
                return std::nullopt;
            std::optional<ValueText> text = readValue(s, line, p, lines);
            if (!text)
                return std::nullopt;
            current->values.push_back({std::move(text->name), line.begin, text->dataBegin,
                                       textEnd(s, text->last), lineBreakOf(s, line)});
            noteContent(text->last);
        }
    }
    return file;
}

bool WineRegFile::hasKey(const QString& path) const
{
    for (const Section& section : m_sections)
        if (pathsEqual(section.path, path) || liesBelow(section.path, path))
            return true;
    return false;
}

const WineRegFile::ValueLines* WineRegFile::findValue(const QString& keyPath,
                                                      const QString& name) const
{
    // The server reads the file from the top, so of several lines for one value the last counts.
    const ValueLines* found = nullptr;
    for (const Section& section : m_sections) {
        if (!pathsEqual(section.path, keyPath))
            continue;
        for (const ValueLines& value : section.values)
            if (pathsEqual(value.name, name))
                found = &value;
    }
    return found;
}

std::optional<WineRegFile::Edit> WineRegFile::setValue(const QString& keyPath, const QString& name,
                                                       const Value& value,
                                                       const QDateTime& now) const
{
    if (const ValueLines* existing = findValue(keyPath, name)) {
        return Edit{existing->dataBegin, existing->dataEnd,
                    formatData(value.type, value.data, existing->dataBegin - existing->lineBegin,
                               existing->newline)};
    }

    const Section* own = nullptr;
    for (const Section& section : m_sections)
        if (pathsEqual(section.path, keyPath))
            own = &section;
    if (own) {
        const QByteArray& nl = own->appendNewline;
        const QByteArray token = nameToken(name);
        QByteArray line = token + formatData(value.type, value.data, token.size(), nl);
        // A last line without its line break gets only the "\n": one that ends in "\r" already
        // has the first half of its "\r\n", which must not become part of its text.
        return Edit{own->appendAt, own->appendAt,
                    (own->appendNeedsBreak ? QByteArrayLiteral("\n") : QByteArray()) + line + nl};
    }

    // The key has no section of its own yet, only sections of keys below it: give it one just
    // before the first of them, spelt as they spell it.
    for (const Section& section : m_sections) {
        if (!liesBelow(section.path, keyPath))
            continue;
        const QStringList parts =
            section.path.left(keyPath.size()).split(QLatin1Char('\\'), Qt::KeepEmptyParts);
        QByteArray escapedPath;
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                escapedPath += "\\\\";
            escapedPath += escape(parts[i], '[', ']');
        }
        const QByteArray& nl = section.headerNewline;
        // The header carries the modification time in seconds since 1970, the option line the
        // same time as a Windows file time (100 ns steps since 1601).
        const qint64 fileTime = now.toMSecsSinceEpoch() * 10000 + Q_INT64_C(116444736000000000);
        const QByteArray token = nameToken(name);
        QByteArray text = '[' + escapedPath + "] " + QByteArray::number(now.toSecsSinceEpoch()) +
                          nl + "#time=" + QByteArray::number(fileTime, 16) + nl + token +
                          formatData(value.type, value.data, token.size(), nl) + nl + nl;
        return Edit{section.headerBegin, section.headerBegin, text};
    }
    return std::nullopt;
}

QByteArray WineRegFile::apply(const QByteArray& content, const Edit& edit)
{
    return content.left(edit.begin) + edit.replacement + content.mid(edit.end);
}

std::optional<QByteArray> WineRegFile::rawValue(const QString& keyPath, const QString& name) const
{
    const ValueLines* value = findValue(keyPath, name);
    if (!value)
        return std::nullopt;
    return m_content.mid(value->dataBegin, value->dataEnd - value->dataBegin);
}

std::vector<WineRegFile::Entry> WineRegFile::entries() const
{
    std::vector<Entry> all;
    for (const Section& section : m_sections)
        for (const ValueLines& value : section.values)
            all.push_back({section.path, value.name});
    return all;
}
