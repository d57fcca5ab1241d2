#include "ui/commandline.h"

#include "model/textnumber.h"
#include "ui/plotfiles.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

#include <vector>

using namespace Qt::StringLiterals;

namespace wavywall {

namespace {

// The options that add a layer to what is written, one a layer.
struct LayerOption {
    const char *name;
    Layer layer;
    const char *description;
};
constexpr LayerOption layerOptions[] = {
    {"second-order", Layer::secondOrder,
     "Add the second-order Cp: the column Cp2 of the pressure table, the purple curve of its "
     "picture."},
    {"exact", Layer::exact,
     "Add the exact simple wave (Basit dalga çözümü): the column Cp_exact of the pressure table, "
     "the columns xc0, yc0, xc1, yc1, x_s, y_s of the flow table, the teal curve, "
     "characteristics and shock point of the pictures."},
};

// The PNG's scale: a handout's 300 dots an inch are about 3; beyond 10 the
// picture would take more memory than any page needs.
constexpr double largestScale = 10;

CommandLine failure(const QString &reason) {
    CommandLine line;
    line.action = CommandLine::Action::fail;
    line.text = reason;
    return line;
}

// The parser's own texts are English; the program says the same in Turkish.
QString parseProblem(const QCommandLineParser &parser) {
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().first();
        return u"Bilinmeyen seçenek: %1%2"_s.arg(name.size() == 1 ? u"-"_s : u"--"_s, name);
    }
    const QString option = QRegularExpression(u"'([^']*)'"_s).match(parser.errorText()).captured(1);
    if (parser.errorText().startsWith("Missing value"_L1)) {
        return u"%1 seçeneğinin değeri eksik"_s.arg(option);
    }
    return u"%1 seçeneği değer almaz"_s.arg(option);
}

// The outputs, checked before anything is written: each a name with a known
// extension, no name empty and no file named twice.
QString outputProblem(const QString &option, const QString &path, const QStringList &others) {
    if (path.isEmpty()) {
        return u"--%1: dosya adı boş"_s.arg(option);
    }
    if (!fileTypeOf(path)) {
        return u"%1: dosya adı .svg, .png ya da .csv ile bitmeli"_s.arg(path);
    }
    const QFileInfo file(path);
    const QString here = file.exists() ? file.canonicalFilePath() : file.absoluteFilePath();
    if (others.contains(here)) {
        return u"%1: aynı dosyaya iki çizim yazılamaz"_s.arg(path);
    }
    return {};
}

QString scaleProblem(const QString &text, double &scale) {
    const NumberReading read = readNumber(text.toStdU16String());
    if (!read.whole || !read.value || !(*read.value > 0 && *read.value <= largestScale)) {
        return u"--scale %1: ölçek 0'dan büyük ve en çok %2 bir sayı olmalı"_s.arg(text).arg(
            largestScale);
    }
    scale = *read.value;
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

bool CommandLine::writesPng() const {
    for (const QString &path : {saveFlow, savePressure}) {
        if (!path.isEmpty() && fileTypeOf(path) == FileType::png) {
            return true;
        }
    }
    return false;
}

namespace {

QString checkOutputs(const QCommandLineParser &parser, CommandLine &line) {
    QStringList taken;
    const std::pair<QString, QString *> outputs[] = {{u"save-flow"_s, &line.saveFlow},
                                                     {u"save-pressure"_s, &line.savePressure}};
    for (const auto &[option, path] : outputs) {
        if (!parser.isSet(option)) {
            continue;
        }
        *path = parser.value(option);
        if (const QString problem = outputProblem(option, *path, taken); !problem.isEmpty()) {
            return problem;
        }
        const QFileInfo file(*path);
        taken.append(file.exists() ? file.canonicalFilePath() : file.absoluteFilePath());
    }
    if (parser.isSet(u"scale"_s)) {
        return scaleProblem(parser.value(u"scale"_s), line.scale);
    }
    return {};
}

void addOptions(QCommandLineParser &parser) {
    parser.addOptions({
        {u"moo"_s, u"The Mach number, as typed into its box."_s, u"TEXT"_s},
        {u"hbl"_s, u"The height ratio H/L, as typed into its box."_s, u"TEXT"_s},
        {u"save-flow"_s, u"Write the flow picture (.svg, .png) or its table (.csv) and end."_s,
         u"FILE"_s},
        {u"save-pressure"_s, u"Write the pressure plot (.svg, .png) or its table (.csv) and end."_s,
         u"FILE"_s},
        {u"scale"_s, u"Pixels of a PNG per pixel of the window (1 to 10, default 1)."_s,
         u"NUMBER"_s},
        {u"validity"_s, u"Print the lines of the validity window (Geçerlilik) and end."_s},
    });
    for (const LayerOption &layer : layerOptions) {
        parser.addOption({QString::fromLatin1(layer.name), QString::fromUtf8(layer.description)});
    }
}

// Help and version need no inputs.
std::optional<CommandLine> helpOrVersion(const QCommandLineParser &parser) {
    const bool helpAll = parser.isSet(u"help-all"_s);
    if (!parser.isSet(u"help"_s) && !helpAll && !parser.isSet(u"version"_s)) {
        return std::nullopt;
    }
    CommandLine line;
    line.action = CommandLine::Action::print;
    // No application object exists yet to name the program.
    line.text = parser.isSet(u"version"_s)
                    ? u"wavywall %1\n"_s.arg(QStringLiteral(WAVYWALL_VERSION))
                    : parser.helpText().replace(u"<executable_name>"_s, u"wavywall"_s);
    if (helpAll) {
        line.text += qtOptionsHelp();
    }
    return line;
}

} // namespace

CommandLine readCommandLine(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Linearized supersonic flow over a wavy wall: the flow picture and the wall "
        "pressure coefficient."_s);
    parser.addHelpOption();
    parser.addVersionOption();
    addOptions(parser);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    acceptQtOptions(parser);
    if (!parser.parse(arguments)) {
        return failure(parseProblem(parser));
    }
    if (!parser.positionalArguments().isEmpty()) {
        return failure(u"Bilinmeyen argüman: %1"_s.arg(parser.positionalArguments().first()));
    }
    if (std::optional<CommandLine> printed = helpOrVersion(parser)) {
        return *printed;
    }
    CommandLine line;
    if (parser.isSet(u"moo"_s)) {
        line.moo = parser.value(u"moo"_s);
    }
    if (parser.isSet(u"hbl"_s)) {
        line.hbl = parser.value(u"hbl"_s);
    }
    for (const LayerOption &layer : layerOptions) {
        if (parser.isSet(QString::fromLatin1(layer.name))) {
            line.layers.push_back(layer.layer);
        }
    }
    line.validity = parser.isSet(u"validity"_s);
    if (const QString problem = checkOutputs(parser, line); !problem.isEmpty()) {
        return failure(problem);
    }
    if (line.validity || parser.isSet(u"save-flow"_s) || parser.isSet(u"save-pressure"_s)) {
        line.action = CommandLine::Action::runWithoutWindow;
    }
    return line;
}

} // namespace wavywall
