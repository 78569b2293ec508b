#include "app/ProgramOptions.h"

#include "common/ProgramName.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace {

// The name the program is typed as.
const QString CommandName = QStringLiteral("korvane");

bool isHostName(const QString& host)
{
    static const QRegularExpression name(QStringLiteral(
        "^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?(\\.[A-Za-z0-9]([A-Za-z0-9-]{0,61}"
        "[A-Za-z0-9])?)*\\.?$"));
    return host.size() <= 253 && name.match(host).hasMatch();
}

// An IPv6 address, with or without a zone ("fe80::1%eth0"). QUrl reads one as Qt Network's
// QHostAddress does; the launcher loads Qt Network only at the first Refresh.
bool isIpv6Address(const QString& host)
{
    if (host.startsWith(QLatin1Char('v'), Qt::CaseInsensitive))
        return false; // QUrl would take a future IP version ("v1.x") too
    QUrl url;
    url.setHost(QLatin1Char('[') + host.left(host.indexOf(QLatin1Char('%'))) + QLatin1Char(']'),
                QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty();
}

ProgramOptions usageError(const QString& message)
{
    ProgramOptions options;
    options.run = false;
    options.exitCode = UsageExitCode;
    options.error = CommandName + QStringLiteral(": ") + message + QLatin1Char('\n') +
                    QStringLiteral("Try '%1 --help' for more information.\n").arg(CommandName);
    return options;
}

ProgramOptions finished(const QString& output)
{
    ProgramOptions options;
    options.run = false;
    options.output = output;
    return options;
}

} // namespace

std::optional<ListServer> parseListServer(const QString& text)
{
    QString host = text;
    QString port;
    if (text.startsWith(QLatin1Char('['))) {
        // An IPv6 address, whose own colons the brackets set apart from the port's.
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close < 0)
            return std::nullopt;
        host = text.mid(1, close - 1);
        const QString rest = text.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(QLatin1Char(':')))
                return std::nullopt;
            port = rest.mid(1);
            if (port.isEmpty())
                return std::nullopt;
        }
        if (!isIpv6Address(host))
            return std::nullopt;
    } else {
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        if (colon >= 0) {
            host = text.left(colon);
            port = text.mid(colon + 1);
            if (port.isEmpty())
                return std::nullopt;
        }
        if (!isHostName(host))
            return std::nullopt;
    }
    ListServer server{host};
    if (!port.isEmpty()) {
        static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
        const uint number = port.toUInt();
        if (!digits.match(port).hasMatch() || number < 1 || number > 65535)
            return std::nullopt;
        server.port = quint16(number);
    }
    return server;
}

ProgramOptions parseProgramOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    // "-platform" is one word, as Qt programs and Windows users write options, not eight letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        ProgramName + QStringLiteral(": finds, joins and hosts Brix Quorrel 2 servers."));
    // Not the parser's own help option: it would offer Qt's options too, which are not read.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption listServer(
        QStringLiteral("list-server"),
        QStringLiteral("Asks this list server in place of the main one (the mirrors stay as they "
                       "are). The port is %1 unless given.")
            .arg(ListServer::DefaultPort),
        QStringLiteral("HOST[:PORT]"));
    parser.addOption(listServer);

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return usageError(
            QStringLiteral("unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    if (parser.isSet(help)) {
        // Without an application object the parser cannot know the program's name.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), CommandName);
        return finished(text);
    }
    if (parser.isSet(version))
        return finished(ProgramName + QLatin1Char('\n'));

    ProgramOptions options;
    if (parser.isSet(listServer)) {
        const QString text = parser.value(listServer);
        const std::optional<ListServer> server = parseListServer(text);
        if (!server)
            return usageError(QStringLiteral("--list-server wants HOST or HOST:PORT, with a port "
                                             "from 1 to 65535, not '%1'.")
                                  .arg(text));
        options.listServers.primary = *server;
    }
    return options;
}
