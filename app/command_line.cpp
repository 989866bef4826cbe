#include "command_line.h"

#include <QCommandLineParser>

namespace app {
namespace {

// The options QGuiApplication, QApplication and the xcb platform read from
// the command line themselves.
constexpr const char *kQtOptionsWithValue[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",        "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display",       "geometry",
    "style",       "stylesheet",         "name",          "qmljsdebugger",
};
constexpr const char *kQtFlags[] = {"reverse", "widgetcount", "sync", "nograb", "dograb"};

// The exit status for a command line that cannot be read, as coreutils
// and most getopt programs give it.
constexpr int kUsageError = 2;

const QString kProgram = QStringLiteral("tafsir-videos");

// The argument as the user wrote it ("--frobnicate=1") for an option name
// the parser could not place ("frobnicate").
QString writtenAs(const QStringList &arguments, const QString &name)
{
    for (const QString &argument : arguments.mid(1)) {
        QString bare = argument.section(QLatin1Char('='), 0, 0);
        while (bare.startsWith(QLatin1Char('-')))
            bare.remove(0, 1);
        if (bare == name)
            return argument;
    }
    return name;
}

QString helpText(bool arabic)
{
    if (arabic)
        return QStringLiteral(
            "الاستعمال: tafsir-videos [خيارات]\n"
            "تفسير القرآن فديو، سورة سورة، وثلاثة برامج.\n"
            "\n"
            "الخيارات:\n"
            "  -h, --help     عرض هذه المساعدة ثم الخروج\n"
            "  -v, --version  عرض اسم البرنامج وإصداره ثم الخروج\n"
            "\n"
            "وتُقبل كذلك خيارات Qt للعرض والمظهر، مثل -platform و-display و-style و-reverse.\n");
    return QStringLiteral(
        "Usage: tafsir-videos [options]\n"
        "Watch the recorded video commentary on the Quran, surah by surah, and three lecture\n"
        "programmes.\n"
        "\n"
        "Options:\n"
        "  -h, --help     Show this help and exit\n"
        "  -v, --version  Show the program's name and version and exit\n"
        "\n"
        "Qt's options for the display and the look are accepted too, such as -platform,\n"
        "-display, -style and -reverse.\n");
}

QString versionText(bool arabic)
{
    const QString name =
        arabic ? QStringLiteral("فديوهات الشيخ النوفارث") : QStringLiteral("Tafsir Videos");
    return name + QLatin1Char(' ') + QStringLiteral(TAFSIR_VERSION) + QLatin1Char('\n');
}

CommandLine failure(const QString &what, bool arabic)
{
    const QString text = arabic ? QStringLiteral("%1: %2؛ انظر «%1 --help»\n").arg(kProgram, what)
                                : QStringLiteral("%1: %2; see '%1 --help'\n").arg(kProgram, what);
    return {CommandLine::Action::Fail, text, kUsageError};
}

} // namespace

CommandLine readCommandLine(const QStringList &arguments, bool arabic)
{
    QCommandLineParser parser;
    // Qt's options are single words after one dash: -platform, not -p -l ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    for (const char *name : kQtOptionsWithValue)
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    for (const char *name : kQtFlags)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString option = writtenAs(arguments, unknown.first());
            return failure(arabic ? QStringLiteral("خيار غير معروف «%1»").arg(option)
                                  : QStringLiteral("unknown option '%1'").arg(option),
                           arabic);
        }
        // An option of Qt's without its value, "-platform" last.
        QString text = parser.errorText();
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
        return failure(arabic ? QStringLiteral("خيار ينقصه قيمته") : text, arabic);
    }
    if (parser.isSet(help))
        return {CommandLine::Action::Print, helpText(arabic), 0};
    if (parser.isSet(version))
        return {CommandLine::Action::Print, versionText(arabic), 0};
    if (!parser.positionalArguments().isEmpty()) {
        const QString argument = parser.positionalArguments().first();
        return failure(arabic ? QStringLiteral("معامل غير متوقع «%1»").arg(argument)
                              : QStringLiteral("unexpected argument '%1'").arg(argument),
                       arabic);
    }
    return {};
}

} // namespace app
