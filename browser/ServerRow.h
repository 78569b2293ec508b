#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One row of the server table, as the reply parser gives it. Its texts stay as the list server
// sent them, in the Western 8-bit code page, and become 16-bit text when read: a full list has
// tens of thousands of rows, of which only a screenful is ever shown, and bytes take half the
// room.
class ServerRow {
public:
    // What the address column shows for a server that cannot be joined from the list.
    static inline const QString PrivateAddress = QStringLiteral("Private");

    enum class Type : quint8 { None, Battle, Ctf, Treasure };
    enum class Version : quint8 { None, Rkv, V121, V124x, V121x };

    ServerRow() = default;
    // text holds the players, the address and the name, one after the other; the address is
    // empty for a private server.
    ServerRow(QByteArray text, qsizetype addressStart, qsizetype nameStart, Type type,
              Version version, bool isPrivate);

    QString name() const;    // colour codes already removed
    QString type() const;    // "Battle", "Ctf", "Treasure" or empty
    QString version() const; // "RKV", "1.21", "1.24 x", "1.21 x" or empty
    QString players() const;
    QString address() const; // an IP address or host, or "Private"
    bool isPrivate() const { return m_private; }
    // The bytes the row holds, as it holds them.
    qsizetype byteSize() const { return m_text.size(); }

    // The five cells in the order of the table's columns.
    QStringList texts() const { return {name(), type(), version(), players(), address()}; }

    bool operator==(const ServerRow&) const = default;

private:
    QByteArray m_text;
    qsizetype m_addressStart = 0;
    qsizetype m_nameStart = 0;
    Type m_type = Type::None;
    Version m_version = Version::None;
    bool m_private = false;
};
