#include "app/ProgramOptions.h"

#include "common/IpAddress.h"
#include "common/ProgramName.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

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

ProgramOptions usageError(const QString& message, const QString& usage = {})
{
    ProgramOptions options;
    options.run = false;
    options.exitCode = UsageExitCode;
    options.error = CommandName + QStringLiteral(": ") + message + QLatin1Char('\n') +
                    QStringLiteral("Try '%1 --help' for more information.\n").arg(CommandName);
    options.usage = usage;
    return options;
}

// The options every Qt program takes, which the application object reads and removes after us;
// a session manager restarts a program with -session, a user may want -style or -reverse.
// Each is taken here only so that it is not refused; Qt gives it its meaning.
void addQtOptions(QCommandLineParser& parser)
{
    const QString withValue = QStringLiteral(
        "platform platformpluginpath platformtheme plugin qwindowgeometry qwindowicon "
        "qwindowtitle qmljsdebugger session style stylesheet geometry display title icon name "
        "visual ncols im inputstyle");
    const QString flags = QStringLiteral("reverse widgetcount nograb dograb sync cmap testability");
    for (const QString& name : withValue.split(QLatin1Char(' '))) {
        QCommandLineOption option(name, QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString& name : flags.split(QLatin1Char(' '))) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// An argument as it may be repeated in a terminal: control characters become '?'.
QString printable(QString text)
{
    for (QChar& c : text)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f))
            c = QLatin1Char('?');
    return text;
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
        ProgramName + QStringLiteral(": finds, joins and hosts Brix Quorrel 2 servers.\n\n"
                                     "A join link (brix2://ADDRESS or brix2://ADDRESS:PORT) opens "
                                     "the launcher on that server;\nnothing starts until you press "
                                     "\"Launch ===>\". Qt's own options (-platform, -style,\n"
                                     "-session, -reverse and the rest) are taken as by any Qt "
                                     "program."));
    // Not the parser's own help option: it would want an application object for the name.
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
    const QCommandLineOption connect(
        QStringLiteral("connect"),
        QStringLiteral("Opens the launcher on this server, as a join link does."),
        QStringLiteral("ADDRESS[:PORT]"));
    parser.addOption(connect);
    const QCommandLineOption registerLinks(
        QStringLiteral("register-links"),
        QStringLiteral("Windows: makes this program the handler of brix2:// links, then ends."));
    parser.addOption(registerLinks);
    const QCommandLineOption unregisterLinks(
        QStringLiteral("unregister-links"),
        QStringLiteral("Windows: removes this program as the handler of brix2:// links, then "
                       "ends."));
    parser.addOption(unregisterLinks);
    parser.addPositionalArgument(QStringLiteral("link"), QStringLiteral("A join link."),
                                 QStringLiteral("[brix2://ADDRESS[:PORT]]"));
    addQtOptions(parser);

    // Without an application object the parser cannot know the program's name.
    QString usage = parser.helpText();
    usage.replace(QStringLiteral("<executable_name>"), CommandName);

    if (!parser.parse(arguments))
        return usageError(parser.errorText(), usage);
    if (parser.isSet(help))
        return finished(usage);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1 || (!positional.isEmpty() && parser.isSet(connect)))
        return usageError(QStringLiteral("one server at a time: give one join link or one "
                                         "--connect."),
                          usage);
    std::optional<JoinLink> link;
    if (!positional.isEmpty()) {
        // The link is not repeated: it came from anyone, and may hold what a terminal obeys.
        const JoinLinkParse parsed = parseJoinLink(positional.first());
        if (!parsed.link)
            return usageError(
                positional.first().contains(QStringLiteral("://"))
                    ? QStringLiteral("this join link is refused: %1.").arg(parsed.error)
                    : QStringLiteral("unexpected argument '%1'; only a join link "
                                     "(brix2://ADDRESS[:PORT]) is taken.")
                          .arg(printable(positional.first())),
                usage);
        link = parsed.link;
    }
    if (parser.isSet(connect)) {
        const JoinLinkParse parsed = parseJoinAddress(parser.value(connect));
        if (!parsed.link)
            return usageError(
                QStringLiteral("--connect wants ADDRESS or ADDRESS:PORT: %1.").arg(parsed.error),
                usage);
        link = parsed.link;
    }
    if (parser.isSet(version))
        return finished(ProgramName + QLatin1Char('\n'));

    ProgramOptions options;
    options.link = link;
    if (parser.isSet(registerLinks) && parser.isSet(unregisterLinks))
        return usageError(QStringLiteral("--register-links and --unregister-links exclude each "
                                         "other."),
                          usage);
    if (parser.isSet(registerLinks))
        options.registration = ProgramOptions::LinkRegistration::Register;
    if (parser.isSet(unregisterLinks))
        options.registration = ProgramOptions::LinkRegistration::Unregister;
    if (parser.isSet(listServer)) {
        const QString text = parser.value(listServer);
        const std::optional<ListServer> server = parseListServer(text);
        if (!server)
            return usageError(QStringLiteral("--list-server wants HOST or HOST:PORT, with a port "
                                             "from 1 to 65535, not '%1'.")
                                  .arg(text),
                              usage);
        options.listServers.primary = *server;
        options.listServers.primaryGiven = true;
    }
    return options;
}
