#include "setup/WineRegFile.h"

#include <QStringList>

namespace {

constexpr char kSignature[] = "WINE REGISTRY Version 2";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

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

qsizetype skipBlanks(const QByteArray& s, qsizetype pos, qsizetype end)
{
    while (pos < end && isBlank(s[pos]))
        ++pos;
    return pos;
}

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

// Reads an escaped name or string up to endChar the way the Wine server reads them: C escapes,
// "\x" with up to four hexadecimal digits, octal with up to three digits, any other escaped
// character as itself, and every other byte as the character of that number. Returns the
// position of endChar, or -1 when the line ends first.
qsizetype unescape(const QByteArray& s, qsizetype pos, qsizetype end, char endChar, QString* out)
{
    while (pos < end && s[pos] != endChar) {
        const char c = s[pos];
        if (c != '\\') {
            out->append(QChar(char16_t(static_cast<unsigned char>(c))));
            ++pos;
            continue;
        }
        if (++pos >= end)
            return -1;
        const char e = s[pos];
        switch (e) {
        case 'a':
            out->append(QChar(char16_t(7)));
            ++pos;
            break;
        case 'b':
            out->append(QChar(char16_t(8)));
            ++pos;
            break;
        case 'e':
            out->append(QChar(char16_t(27)));
            ++pos;
            break;
        case 'f':
            out->append(QChar(char16_t(12)));
            ++pos;
            break;
        case 'n':
            out->append(QChar(char16_t(10)));
            ++pos;
            break;
        case 'r':
            out->append(QChar(char16_t(13)));
            ++pos;
            break;
        case 't':
            out->append(QChar(char16_t(9)));
            ++pos;
            break;
        case 'v':
            out->append(QChar(char16_t(11)));
            ++pos;
            break;
        case 'x': {
            ++pos;
            if (pos >= end || !isHexDigit(s[pos])) {
                out->append(QLatin1Char('x'));
                break;
            }
            unsigned value = 0;
            for (int n = 0; n < 4 && pos < end && isHexDigit(s[pos]); ++n, ++pos)
                value = value * 16 + unsigned(hexDigitValue(s[pos]));
            out->append(QChar(char16_t(value)));
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                unsigned value = 0;
                for (int n = 0; n < 3 && pos < end && s[pos] >= '0' && s[pos] <= '7'; ++n, ++pos)
                    value = value * 8 + unsigned(s[pos] - '0');
                out->append(QChar(char16_t(value)));
            } else {
                out->append(QChar(char16_t(static_cast<unsigned char>(e))));
                ++pos;
            }
        }
    }
    return pos < end ? pos : -1;
}

bool startsWithAt(const QByteArray& s, qsizetype pos, qsizetype end, const char* prefix)
{
    const qsizetype n = qsizetype(qstrlen(prefix));
    return end - pos >= n && s.mid(pos, n) == QByteArray::fromRawData(prefix, n);
}

// Reads comma-separated hexadecimal bytes, as the Wine server does; -1 on a number above 0xFF.
qsizetype skipHexBytes(const QByteArray& s, qsizetype pos, qsizetype end)
{
    while (pos < end && isHexDigit(s[pos])) {
        unsigned value = 0;
        while (pos < end && isHexDigit(s[pos])) {
            value = value * 16 + unsigned(hexDigitValue(s[pos]));
            if (value > 0xFF)
                return -1;
            ++pos;
        }
        pos = skipBlanks(s, pos, end);
        if (pos < end && s[pos] == ',')
            ++pos;
        pos = skipBlanks(s, pos, end);
    }
    return pos;
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
    return '"' + WineRegFile::escape(name, '"', '"') + "\"=";
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
        qsizetype p = skipBlanks(s, line.begin, line.end);
        if (p == line.end)
            continue;
        const char c = s[p];
        if (c == '[') {
            Section section;
            const qsizetype close = unescape(s, p + 1, line.end, ']', &section.path);
            if (close < 0)
                return std::nullopt;
            section.headerBegin = line.begin;
            section.headerNewline = lineBreakOf(s, line);
            file.m_sections.push_back(std::move(section));
            current = &file.m_sections.back();
            noteContent(line);
            continue;
        }
        if (c == '#' || c == ';') {
            if (current)
                noteContent(line);
            continue;
        }
        if ((c != '"' && c != '@') || !current)
            return std::nullopt;

        ValueLines value;
        value.lineBegin = line.begin;
        value.newline = lineBreakOf(s, line);
        if (c == '"') {
            p = unescape(s, p + 1, line.end, '"', &value.name);
            if (p < 0)
                return std::nullopt;
        }
        p = skipBlanks(s, p + 1, line.end);
        if (p >= line.end || s[p] != '=')
            return std::nullopt;
        p = skipBlanks(s, p + 1, line.end);
        value.dataBegin = p;

        Line last = line;
        QString ignored;
        if (startsWithAt(s, p, line.end, "\"") || startsWithAt(s, p, line.end, "str:\"") ||
            startsWithAt(s, p, line.end, "str(2):\"") ||
            startsWithAt(s, p, line.end, "str(7):\"")) {
            const qsizetype quote = s.indexOf('"', p);
            if (unescape(s, quote + 1, line.end, '"', &ignored) < 0)
                return std::nullopt;
        } else if (startsWithAt(s, p, line.end, "dword:")) {
            qsizetype q = skipBlanks(s, p + 6, line.end);
            if (q < line.end && (s[q] == '+' || s[q] == '-'))
                ++q;
            if (startsWithAt(s, q, line.end, "0x") || startsWithAt(s, q, line.end, "0X"))
                q += 2;
            if (q >= line.end || !isHexDigit(s[q]))
                return std::nullopt;
        } else if (startsWithAt(s, p, line.end, "hex:") || startsWithAt(s, p, line.end, "hex(")) {
            qsizetype q = p + 4;
            if (s[p + 3] == '(') {
                const qsizetype digits = q;
                while (q < line.end && isHexDigit(s[q]))
                    ++q;
                if (q == digits || !startsWithAt(s, q, line.end, "):"))
                    return std::nullopt;
                q += 2;
            }
            // Long data goes on over further lines, each line but the last ending in "\".
            for (;;) {
                q = skipHexBytes(s, q, last.end);
                if (q < 0)
                    return std::nullopt;
                q = skipBlanks(s, q, last.end);
                if (q == last.end)
                    break;
                if (s[q] != '\\' || lines.atEnd())
                    return std::nullopt;
                last = lines.take();
                q = skipBlanks(s, last.begin, last.end);
            }
        } else {
            return std::nullopt;
        }
        value.dataEnd = textEnd(s, last);
        current->values.push_back(std::move(value));
        noteContent(last);
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
        return Edit{
            existing->dataBegin, existing->dataEnd,
            formatData(value, existing->dataBegin - existing->lineBegin, existing->newline)};
    }

    const Section* own = nullptr;
    for (const Section& section : m_sections)
        if (pathsEqual(section.path, keyPath))
            own = &section;
    if (own) {
        const QByteArray& nl = own->appendNewline;
        const QByteArray token = nameToken(name);
        QByteArray line = token + formatData(value, token.size(), nl);
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
                          formatData(value, token.size(), nl) + nl + nl;
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

QByteArray WineRegFile::formatData(const Value& value, qsizetype column, const QByteArray& newline)
{
    const QByteArray& data = value.data;
    const bool stringType = value.type == 1 || value.type == 2 || value.type == 7;
    // Only strings that end in their terminating zero are written as text.
    if (stringType && data.size() >= 2 && data.size() % 2 == 0 && data.at(data.size() - 1) == 0 &&
        data.at(data.size() - 2) == 0) {
        QString text(data.size() / 2 - 1, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(char16_t(static_cast<unsigned char>(data[2 * i]) |
                                     static_cast<unsigned char>(data[2 * i + 1]) << 8));
        QByteArray out =
            value.type == 1 ? QByteArray() : "str(" + QByteArray::number(value.type, 16) + "):";
        return out + '"' + escape(text, '"', '"') + '"';
    }
    if (value.type == 4 && data.size() == 4) {
        quint32 number = 0;
        for (int i = 3; i >= 0; --i)
            number = number << 8 | static_cast<unsigned char>(data[i]);
        return "dword:" + QByteArray::number(number, 16).rightJustified(8, '0');
    }
    QByteArray out = value.type == 3 ? QByteArrayLiteral("hex:")
                                     : "hex(" + QByteArray::number(value.type, 16) + "):";
    qsizetype count = column + out.size();
    for (qsizetype i = 0; i < data.size(); ++i) {
        out += QByteArray::number(static_cast<unsigned char>(data[i]), 16).rightJustified(2, '0');
        count += 2;
        if (i < data.size() - 1) {
            out += ',';
            if (++count > 76) {
                out += '\\' + newline + "  ";
                count = 2;
            }
        }
    }
    return out;
}

QByteArray WineRegFile::escape(const QString& text, char quote1, char quote2)
{
    static const char cEscapes[] = ".......abtnvfr.............e....";
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c > 127) {
            out += "\\x" + QByteArray::number(c, 16).rightJustified(4, '0');
        } else if (c < 32) {
            if (cEscapes[c] != '.') {
                out += '\\';
                out += cEscapes[c];
            } else {
                const bool octalFollows = i + 1 < text.size() &&
                                          text.at(i + 1) >= QLatin1Char('0') &&
                                          text.at(i + 1) <= QLatin1Char('7');
                out += '\\' + QByteArray::number(c, 8).rightJustified(octalFollows ? 3 : 1, '0');
            }
        } else {
            const char a = char(c);
            if (a == '\\' || a == quote1 || a == quote2)
                out += '\\';
            out += a;
        }
    }
    return out;
}
