#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// A Wine registry file such as userdef.reg, the text in which the Wine server saves a branch of
// its registry. Holds the file's bytes and just enough structure to find keys and values, so
// that one value can be changed while every other byte stays as it was.
//
// Key paths are relative to the file's root, their parts separated by one backslash. Key and
// value names are compared regardless of case, as the registry does.
class WineRegFile {
public:
    // Nothing when the text is not a registry file this reader fully understands: the first line
    // must be "WINE REGISTRY Version 2", and every other line blank, a comment or option, a key
    // section header, or a value (with its continuation lines) inside a section.
    static std::optional<WineRegFile> parse(const QByteArray& content);

    const QByteArray& content() const { return m_content; }

    // A key exists when it has its own section or a section lies below it.
    bool hasKey(const QString& path) const;

    // A value as the Wine server keeps it: string types in UTF-16 (little endian) with their
    // terminating zero.
    struct Value {
        quint32 type = 0;
        QByteArray data;
    };

    // A change of the file: the bytes from begin up to end replaced by replacement.
    struct Edit {
        qsizetype begin = 0;
        qsizetype end = 0;
        QByteArray replacement;
    };

    // The change that writes one value into an existing key. It replaces the data of a value of
    // that name (keeping the name as spelt in the file), or adds a line at the end of the key's
    // section, or, when the key so far has only sections below it, adds a section for the key
    // just before them. Nothing when the key does not exist: no key is ever created.
    std::optional<Edit> setValue(const QString& keyPath, const QString& name, const Value& value,
                                 const QDateTime& now) const;

    static QByteArray apply(const QByteArray& content, const Edit& edit);

    // The data part of a value's lines as the file holds it (after "name="), continuation lines
    // included; nothing when the key has no such value.
    std::optional<QByteArray> rawValue(const QString& keyPath, const QString& name) const;

    // Every value of the file by key and name, in file order.
    struct Entry {
        QString key;
        QString name;
    };
    std::vector<Entry> entries() const;

private:
    struct ValueLines {
        QString name;
        qsizetype lineBegin = 0;
        qsizetype dataBegin = 0;
        qsizetype dataEnd = 0; // end of the last line's text, before its line break
        QByteArray newline;
    };
    struct Section {
        QString path;
        qsizetype headerBegin = 0;
        QByteArray headerNewline;
        qsizetype appendAt = 0;        // just after the section's last line that is not blank
        bool appendNeedsBreak = false; // that line is the file's last and has no line break
        QByteArray appendNewline;
        std::vector<ValueLines> values;
    };

    const ValueLines* findValue(const QString& keyPath, const QString& name) const;

    QByteArray m_content;
    std::vector<Section> m_sections;
};
