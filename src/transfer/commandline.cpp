#include "transfer/commandline.h"

#include "transfer/exportcommand.h"
#include "transfer/filecommands.h"
#include "transfer/importcommand.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <functional>
#include <vector>

namespace transfer {

namespace {

// What a command receives: the file, its own arguments, and the parser for its options.
struct Call {
    QString database;
    QStringList arguments;
    const QCommandLineParser& parser;
    QTextStream& out;
    QTextStream& err;
};

struct Command {
    QString name;
    QString synopsis; // arguments as --help shows them
    QString description;
    int minArguments;
    int maxArguments;
    std::function<int(const Call&)> run;
    QStringList options = {}; // the command's own options, by name
};

// The options that belong to one command or another.
const QCommandLineOption& dryRunOption() {
    static const QCommandLineOption option(QStringLiteral("dry-run"),
                                           QStringLiteral("import: reports, writes nothing."));
    return option;
}
const QCommandLineOption& formatOption() {
    static const QCommandLineOption option(QStringLiteral("format"),
                                           QStringLiteral("export: csv (default), tsv or anki."),
                                           QStringLiteral("FORMAT"));
    return option;
}
const QCommandLineOption& forceOption() {
    static const QCommandLineOption option(QStringLiteral("force"),
                                           QStringLiteral("export: replaces an existing FILE."));
    return option;
}

// Every command; a new one is one entry here (and its options in Parsed below).
const std::vector<Command>& commands() {
    static const std::vector<Command> table{
        {QStringLiteral("backup"), QStringLiteral("[FILE]"),
         QStringLiteral("Copies the word list now, to FILE or into the backup folder beside it. "
                        "Safe while the program runs."),
         0, 1,
         [](const Call& c) {
             return backupCommand(c.database, c.arguments.value(0), c.out, c.err);
         }},
        {QStringLiteral("restore"), QStringLiteral("FILE"),
         QStringLiteral("Checks that FILE is a sound word list, backs up the current one, then "
                        "puts FILE in its place. Refused while the program runs on the file."),
         1, 1,
         [](const Call& c) { return restoreCommand(c.database, c.arguments[0], c.out, c.err); }},
        {QStringLiteral("check"), QString(),
         QStringLiteral("Checks the file's integrity and counts its words, free words, "
                        "difficult words and pending words."),
         0, 0, [](const Call& c) { return checkCommand(c.database, c.out, c.err); }},
        {QStringLiteral("import"),
         QStringLiteral("FILE [--dry-run]"),
         QStringLiteral("Adds the words of a CSV or tab-separated file whose first line names "
                        "the columns (word required); words already in the list are skipped. "
                        "All or nothing."),
         1,
         1,
         [](const Call& c) {
             return importCommand(c.database, c.arguments[0], c.parser.isSet(dryRunOption()), c.out,
                                  c.err);
         },
         {QStringLiteral("dry-run")}},
        {QStringLiteral("export"),
         QStringLiteral("FILE [--format csv|tsv|anki] [--force]"),
         QStringLiteral("Writes every word to FILE: CSV, tab-separated, or flash-card notes."),
         1,
         1,
         [](const Call& c) {
             return exportCommand(c.database, c.arguments[0], c.parser.value(formatOption()),
                                  c.parser.isSet(forceOption()), c.out, c.err);
         },
         {QStringLiteral("format"), QStringLiteral("force")}},
    };
    return table;
}

struct Parsed {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Shows this help.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Shows the program's version.")};
    QCommandLineOption database{QStringLiteral("database"),
                                QStringLiteral("Uses the word list file PATH instead of "
                                               "gre_wordlist.db in the documents folder."),
                                QStringLiteral("PATH")};
    bool valid = false;
    QString problem;

    explicit Parsed(const QStringList& arguments) {
        parser.setApplicationDescription(
            QStringLiteral("GRE Wordlist: without a command, opens the windows on the word list."));
        parser.addOptions({help, version, database, dryRunOption(), formatOption(), forceOption()});
        parser.addPositionalArgument(QStringLiteral("command"),
                                     QStringLiteral("One of the commands below."),
                                     QStringLiteral("[command [arguments]]"));
        valid = parser.parse(arguments);
        if (!valid)
            problem = parser.errorText();
        else if (parser.isSet(database) && parser.value(database).isEmpty())
            problem = QStringLiteral("--database needs the path of a file.");
        valid = problem.isEmpty();
    }

    const Command* command() const {
        const QStringList positional = parser.positionalArguments();
        if (positional.isEmpty())
            return nullptr;
        for (const Command& c : commands())
            if (c.name == positional.first())
                return &c;
        return nullptr;
    }
};

QString helpText(const Parsed& p) {
    QString text = p.parser.helpText();
    text += QStringLiteral("\nCommands:\n");
    for (const Command& c : commands())
        text += QStringLiteral("  %1 %2\n      %3\n").arg(c.name, c.synopsis, c.description);
    text += QStringLiteral("\nExit status: 0 done, 1 refused or failed (the reason on standard "
                           "error), 2 wrong usage.\n");
    return text;
}

int wrongUsage(const QString& problem, QTextStream& err) {
    err << problem << QStringLiteral("\nSee --help for the commands.\n");
    return 2;
}

} // namespace

bool startsWindows(const QStringList& arguments) {
    const Parsed p(arguments);
    return p.valid && !p.parser.isSet(p.help) && !p.parser.isSet(p.version) &&
           p.parser.positionalArguments().isEmpty();
}

QString databaseArgument(const QStringList& arguments) {
    const Parsed p(arguments);
    if (!p.valid || !p.parser.isSet(p.database))
        return {};
    return QFileInfo(p.parser.value(p.database)).absoluteFilePath();
}

int runCommandLine(const QStringList& arguments, const QString& defaultDatabase, QTextStream& out,
                   QTextStream& err) {
    const Parsed p(arguments);
    if (!p.valid)
        return wrongUsage(p.problem, err);
    if (p.parser.isSet(p.help)) {
        out << helpText(p);
        return 0;
    }
    if (p.parser.isSet(p.version)) {
        out << QStringLiteral("gre-wordlist %1.%2.%3\n")
                   .arg(GRE_VERSION_MAJOR)
                   .arg(GRE_VERSION_MINOR)
                   .arg(GRE_VERSION_PATCH);
        return 0;
    }
    const QStringList positional = p.parser.positionalArguments();
    const Command* command = p.command();
    if (!command)
        return wrongUsage(positional.isEmpty()
                              ? QStringLiteral("No command was given.")
                              : QStringLiteral("Unknown command \"%1\".").arg(positional.first()),
                          err);
    const QStringList rest = positional.mid(1);
    if (rest.size() < command->minArguments || rest.size() > command->maxArguments)
        return wrongUsage(QStringLiteral("Usage: gre-wordlist [--database PATH] %1 %2")
                              .arg(command->name, command->synopsis)
                              .trimmed(),
                          err);
    for (const QString& name : p.parser.optionNames()) {
        const bool commandOption = name == QLatin1String("dry-run") ||
                                   name == QLatin1String("format") ||
                                   name == QLatin1String("force");
        if (commandOption && !command->options.contains(name))
            return wrongUsage(QStringLiteral("The option --%1 does not belong to the command %2.")
                                  .arg(name, command->name),
                              err);
    }
    const QString database = p.parser.isSet(p.database)
                                 ? QFileInfo(p.parser.value(p.database)).absoluteFilePath()
                                 : defaultDatabase;
    return command->run(Call{database, rest, p.parser, out, err});
}

} // namespace transfer
