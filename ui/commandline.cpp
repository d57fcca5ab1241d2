#include "ui/commandline.h"

#include "canvas/displaylist.h"
#include "model/flowmodel.h"
#include "model/heldinputs.h"
#include "model/messagelist.h"
#include "ui/plotexport.h"
#include "ui/plotfiles.h"

#include <QCommandLineParser>

#include <cstdio>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace wavywall {

namespace {

QString qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string utf16(const QString &text) {
    return {reinterpret_cast<const char16_t *>(text.utf16()), static_cast<size_t>(text.size())};
}

void printError(const QString &text) {
    std::fputs(qUtf8Printable(text + u'\n'), stderr);
}

QString fileTypeProblem(const QString &path) {
    if (!path.isEmpty() && !fileTypeOf(path)) {
        return u"%1: the file name must end in .svg, .png or .csv"_s.arg(path);
    }
    return {};
}

QStringList saveOptionsProblems(const CommandLine &line) {
    QStringList problems;
    for (const QString &path : {line.saveFlow, line.savePressure}) {
        if (const QString problem = fileTypeProblem(path); !problem.isEmpty()) {
            problems.append(problem);
        }
    }
    return problems;
}

QByteArray fileBytes(Plot plot, FileType type, const FlowModel &model, const DisplayList &drawn) {
    switch (type) {
    case FileType::csv:
        return QByteArray::fromStdString(plotTable(plot, model, Separator::comma));
    case FileType::svg:
        return QByteArray::fromStdString(plotPicture(plot, drawn.lines()));
    case FileType::png:
        return pngBytes(plotPicture(plot, drawn.lines()), 1);
    }
    return {};
}

// The options every Qt program takes (-platform xcb, -style Fusion): the
// application object reads them itself, so the parser only lets them pass.
constexpr const char *qtOptionsWithValue[] = {
    "platform",     "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
    "qwindowicon",  "qwindowtitle",       "style",         "stylesheet", "session",
    "display",      "geometry",           "name",          "title",      "visual",
    "qmljsdebugger"};
constexpr const char *qtSwitches[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void acceptQtOptions(QCommandLineParser &parser) {
    for (const char *name : qtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), u"value"_s);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : qtSwitches) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// --help-all, which the help text offers, adds the toolkit's options.
QString qtOptionsHelp() {
    QStringList names;
    for (const char *name : qtOptionsWithValue) {
        names.append(u"-%1 <value>"_s.arg(QString::fromLatin1(name)));
    }
    for (const char *name : qtSwitches) {
        names.append(u"-"_s + QString::fromLatin1(name));
    }
    QString text = u"\nQt options, read by the toolkit (see its documentation):\n "_s;
    qsizetype lineLength = 1;
    for (const QString &name : names) {
        if (lineLength + name.size() > 76) {
            text += u"\n "_s;
            lineLength = 1;
        }
        text += u" "_s + name;
        lineLength += name.size() + 1;
    }
    return text + u"\n"_s;
}

} // namespace

CommandLine readCommandLine(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Linearized supersonic flow over a wavy wall: the flow picture and the wall "
        "pressure coefficient."_s);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption moo(u"moo"_s, u"The Mach number, as typed into its box."_s, u"TEXT"_s);
    const QCommandLineOption hbl(u"hbl"_s, u"The height ratio H/L, as typed into its box."_s,
                                 u"TEXT"_s);
    const QCommandLineOption saveFlow(
        u"save-flow"_s, u"Write the flow picture (.svg, .png) or its table (.csv) and end."_s,
        u"FILE"_s);
    const QCommandLineOption savePressure(
        u"save-pressure"_s, u"Write the pressure plot (.svg, .png) or its table (.csv) and end."_s,
        u"FILE"_s);
    parser.addOptions({moo, hbl, saveFlow, savePressure});
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    acceptQtOptions(parser);

    CommandLine line;
    if (!parser.parse(arguments)) {
        return {CommandLine::Action::fail, parser.errorText(), {}, {}, {}, {}};
    }
    if (!parser.positionalArguments().isEmpty()) {
        return {CommandLine::Action::fail,
                u"Unknown argument: %1"_s.arg(parser.positionalArguments().first()),
                {},
                {},
                {},
                {}};
    }
    const bool helpAll = parser.isSet(u"help-all"_s);
    if (parser.isSet(help) || helpAll || parser.isSet(version)) {
        line.action = CommandLine::Action::print;
        // No application object exists yet to name the program.
        line.text = parser.isSet(version)
                        ? u"wavywall %1\n"_s.arg(QStringLiteral(WAVYWALL_VERSION))
                        : parser.helpText().replace(u"<executable_name>"_s, u"wavywall"_s);
        if (helpAll) {
            line.text += qtOptionsHelp();
        }
        return line;
    }
    if (parser.isSet(moo)) {
        line.moo = parser.value(moo);
    }
    if (parser.isSet(hbl)) {
        line.hbl = parser.value(hbl);
    }
    line.saveFlow = parser.value(saveFlow);
    line.savePressure = parser.value(savePressure);
    if (parser.isSet(saveFlow) || parser.isSet(savePressure)) {
        line.action = CommandLine::Action::saveFiles;
        if (const QStringList problems = saveOptionsProblems(line); !problems.isEmpty()) {
            return {CommandLine::Action::fail, problems.join(u'\n'), {}, {}, {}, {}};
        }
    }
    return line;
}

// Nothing is written when the window would have shown a message: the plots
// are then missing or not to be trusted.
int saveFiles(const CommandLine &line) {
    HeldInputs texts;
    DisplayList flow;
    DisplayList pressure;
    MessageList messages;
    FlowModel model(texts, flow, pressure, messages);
    model.Form_Load();
    texts.moo = line.moo ? utf16(*line.moo) : texts.moo;
    texts.hbl = line.hbl ? utf16(*line.hbl) : texts.hbl;
    model.Command1_Click();
    if (!messages.shown.empty()) {
        for (const std::u16string &message : messages.shown) {
            printError(qstring(message));
        }
        return exitMessage;
    }
    const std::pair<Plot, QString> requests[] = {{Plot::flow, line.saveFlow},
                                                 {Plot::pressure, line.savePressure}};
    for (const auto &[plot, path] : requests) {
        if (path.isEmpty()) {
            continue;
        }
        const DisplayList &drawn = plot == Plot::flow ? flow : pressure;
        const QString failure = saveWhole(path, fileBytes(plot, *fileTypeOf(path), model, drawn));
        if (!failure.isEmpty()) {
            printError(failure);
            return exitUnusable;
        }
    }
    return 0;
}

} // namespace wavywall
