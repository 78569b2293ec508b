#include "browser/ServerRow.h"

#include "common/Windows1252.h"

ServerRow::ServerRow(QByteArray text, qsizetype addressStart, qsizetype nameStart, Type type,
                     Version version, bool isPrivate)
    : m_text(std::move(text))
    , m_addressStart(addressStart)
    , m_nameStart(nameStart)
    , m_type(type)
    , m_version(version)
    , m_private(isPrivate)
{
}

QString ServerRow::name() const
{
    return windows1252::decode(QByteArrayView(m_text).sliced(m_nameStart));
}

QString ServerRow::type() const
{
    switch (m_type) {
    case Type::None:
        break;
    case Type::Battle:
        return QStringLiteral("Battle");
    case Type::Ctf:
        return QStringLiteral("Ctf");
    case Type::Treasure:
        return QStringLiteral("Treasure");
    }
    return {};
}

QString ServerRow::version() const
{
    switch (m_version) {
    case Version::None:
        break;
    case Version::Rkv:
        return QStringLiteral("RKV");
    case Version::V121:
        return QStringLiteral("1.21");
    case Version::V124x:
        return QStringLiteral("1.24 x");
    case Version::V121x:
        return QStringLiteral("1.21 x");
    }
    return {};
}

QString ServerRow::players() const
{
    return windows1252::decode(QByteArrayView(m_text).first(m_addressStart));
}

QString ServerRow::address() const
{
    if (m_private)
        return PrivateAddress;
    return windows1252::decode(
        QByteArrayView(m_text).sliced(m_addressStart, m_nameStart - m_addressStart));
}
