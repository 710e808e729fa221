#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

//! The options QGuiApplication and QApplication take for themselves, with whether each takes a
//! value; they are shown by --help-all only.
struct QtOption
{
    const char* Name;
    bool TakesValue;
};
constexpr QtOption QtOptions[] = {
    {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true}, {"qwindowtitle", true}, {"session", true},
    {"display", true}, {"geometry", true}, {"style", true}, {"stylesheet", true},
    {"reverse", false}, {"widgetcount", false}, {"nograb", false}, {"dograb", false},
};

void AddQtOptions(QCommandLineParser& parser, bool shown)
{
    for (const QtOption& option : QtOptions) {
        QCommandLineOption qt(QString::fromLatin1(option.Name), QStringLiteral("A standard option of Qt."));
        if (option.TakesValue)
            qt.setValueName(QStringLiteral("value"));
        if (!shown)
            qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }
}

//! A parser for the program's own command line; Qt's options shown in its help where `all`.
void SetUp(QCommandLineParser& parser, bool all)
{
    parser.setApplicationDescription(
        QStringLiteral("Exposure and optics calculator for photographers of the night sky."));
    // Qt's own options are written with one dash and a whole word: "-platform xcb".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("job"), QStringLiteral("A job file to open (*.orvalis)."),
                                 QStringLiteral("[job]"));
    AddQtOptions(parser, all);
}

//! The parser's help; without an application object it cannot know the program's own name.
QString HelpText(const QCommandLineParser& parser)
{
    return parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("orvalis-calculator"));
}

} // namespace

CommandLine ReadCommandLine(int argc, char* argv[])
{
    // The application object does not exist yet: the names the parser writes are set here.
    QCoreApplication::setApplicationName(QStringLiteral("orvalis-calculator"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVALIS_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    SetUp(parser, false);
    CommandLine line;
    line.Exit = true;
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "orvalis-calculator: %s\nTry \"orvalis-calculator --help\".\n", qPrintable(parser.errorText()));
        line.ExitCode = 2;
        return line;
    }
    if (parser.isSet(QStringLiteral("help-all"))) {
        QCommandLineParser all;
        SetUp(all, true);
        std::fputs(qPrintable(HelpText(all)), stdout);
        return line;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(HelpText(parser)), stdout);
        return line;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("orvalis-calculator %s\n", ORVALIS_VERSION);
        return line;
    }
    const QStringList jobs = parser.positionalArguments();
    if (jobs.size() > 1) {
        std::fputs("orvalis-calculator: one job file at most.\nTry \"orvalis-calculator --help\".\n", stderr);
        line.ExitCode = 2;
        return line;
    }
    line.Exit = false;
    if (!jobs.isEmpty()) {
        // The parser saw decoded texts; the job is the last argument that decodes to the one
        // it took as the job's, and is opened by that argument's bytes.
        for (int i = argc - 1; i > 0 && line.JobPath.isEmpty(); --i)
            if (arguments.at(i) == jobs.first())
                line.JobPath = QByteArray(argv[i]);
    }
    return line;
}
