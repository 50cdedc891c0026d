// SPDX-License-Identifier: MIT
#include "app/shell/commandline.h"

#include "app/shell/velloraapp.h"
#include "app/style/localization.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>

namespace vellora::app::shell {

namespace {

// The help texts of the command line: our own come from the application's table, Qt's
// option descriptions and headings from Qt's, both installed by the caller.
void declareOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        style::localized(QT_TRANSLATE_NOOP("Localizable", "commandline.description")));
    // Not addHelpOption() itself: its --help-all lists the toolkit's options, which a core
    // application does not know. Its help option's description, in Qt's own table, is kept.
    QCommandLineParser qtParser;
    parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                        qtParser.addHelpOption().description()));
    parser.addVersionOption();
    parser.addPositionalArgument(
        style::localized(QT_TRANSLATE_NOOP("Localizable", "commandline.files")),
        style::localized(QT_TRANSLATE_NOOP("Localizable", "commandline.files_description")),
        style::localized(QT_TRANSLATE_NOOP("Localizable", "commandline.files_syntax")));
}

// Qt's help names the program as the application object was called, with its folder; a
// person knows it by `program`, its name.
QString helpText(const QCommandLineParser &parser, const QString &program)
{
    QString text = parser.helpText();
    const QString called = QCoreApplication::arguments().value(0);
    const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
    const qsizetype at = called.isEmpty() ? -1 : text.left(lineEnd).indexOf(called);
    if (at >= 0) {
        text.replace(at, called.size(), program);
    }
    return text;
}

} // namespace

CommandLineRequest readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    declareOptions(parser);
    const bool parsed = parser.parse(arguments);
    const QString program = arguments.value(0).section(QLatin1Char('/'), -1);
    // Help and version are answered even beside a wrong option: they are what was asked for.
    if (parser.isSet(QStringLiteral("help"))) {
        return {CommandLineRequest::Action::help, {}, helpText(parser, program)};
    }
    if (parser.isSet(QStringLiteral("version"))) {
        return {CommandLineRequest::Action::version,
                {},
                QCoreApplication::applicationName() + QLatin1Char(' ') +
                    QCoreApplication::applicationVersion() + QLatin1Char('\n')};
    }
    if (!parsed) {
        return {CommandLineRequest::Action::wrongUsage,
                {},
                program + QStringLiteral(": ") + parser.errorText() + QLatin1Char('\n') +
                    helpText(parser, program).section(QLatin1Char('\n'), 0, 0) + QLatin1Char('\n')};
    }
    return {CommandLineRequest::Action::open, parser.positionalArguments(), {}};
}

void printAnswer(const CommandLineRequest &request)
{
    std::FILE *stream = request.action == CommandLineRequest::Action::wrongUsage ? stderr : stdout;
    const QByteArray bytes = request.text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

std::optional<int> answerInTerminal(int argc, char **argv)
{
    // A core application only: no window system is needed to print text. Its arguments are
    // not yet cleared of the toolkit's options, so only help and version are answered here.
    QCoreApplication application(argc, argv);
    VelloraApp::declareIdentity();
    style::installTranslations(application, QLocale::system());
    QTranslator qtTexts;
    if (qtTexts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        application.installTranslator(&qtTexts);
    }
    const CommandLineRequest request = readCommandLine(application.arguments());
    style::removeTranslations(application);
    if (request.action != CommandLineRequest::Action::help &&
        request.action != CommandLineRequest::Action::version) {
        return std::nullopt;
    }
    printAnswer(request);
    return request.exitStatus();
}

} // namespace vellora::app::shell
