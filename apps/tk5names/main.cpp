// SPDX-License-Identifier: BSD-3-Clause
// tk5names: the company-name lookup service the chart control asks. Serves the names table
// over HTTP until it is stopped.

#include "NamesService.h"
#include "NamesTable.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>

#include <cstdio>
#include <optional>

namespace {

struct Options {
    QHostAddress address{QHostAddress::LocalHost};
    quint16 port = 8017;
    QString names;
    bool printPort = false;
};

[[noreturn]] void fail(const QString& text, int code) {
    std::fprintf(stderr, "tk5names: %s\n", qPrintable(text));
    std::exit(code);
}

// The names table beside the sample histories: in TK5CHCTL_HIST_DIR when it is set (as the
// control reads its histories there), else in the hist folder beside the library, which is
// ../<libdir>/hist from an installed program and ../lib/hist in the build tree.
QString defaultNamesFile() {
    const QString histDir = qEnvironmentVariable("TK5CHCTL_HIST_DIR");
    if (!histDir.isEmpty()) return QDir(histDir).filePath(QStringLiteral("names.csv"));
    const QDir bin(QCoreApplication::applicationDirPath());
    const QString installed =
        QDir::cleanPath(bin.filePath(QStringLiteral(TK5NAMES_INSTALLED_HIST "/names.csv")));
    const QString built = QDir::cleanPath(bin.filePath(QStringLiteral("../lib/hist/names.csv")));
    return QFileInfo::exists(installed) || !QFileInfo::exists(built) ? installed : built;
}

Options parseOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Answers GET /cgi-bin/ticker.pl?TICKER with the ticker's company name "
                       "from a names table (TICKER,Name lines), until it is stopped."));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Port to listen on; 0 picks a free one "
                                                 "(default 8017)."),
                                  QStringLiteral("N"));
    const QCommandLineOption address(
        QStringLiteral("address"),
        QStringLiteral("Address to listen on: an IPv4 or IPv6 address, or localhost (default "
                       "127.0.0.1)."),
        QStringLiteral("A"));
    const QCommandLineOption names(
        QStringLiteral("names"),
        QStringLiteral("The names table (default names.csv in the histories' folder: "
                       "TK5CHCTL_HIST_DIR, else the hist folder beside the library)."),
        QStringLiteral("FILE"));
    const QCommandLineOption printPort(
        QStringLiteral("print-port"),
        QStringLiteral("Print the port listened on as one line on stdout once listening."));
    parser.addOptions({port, address, names, printPort});

    if (!parser.parse(arguments)) fail(parser.errorText(), 2);
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        std::exit(0);
    }
    if (!parser.positionalArguments().isEmpty())
        fail(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()),
             2);

    Options o;
    if (parser.isSet(port)) {
        bool ok = false;
        const uint n = parser.value(port).trimmed().toUInt(&ok);
        if (!ok || n > 65535)
            fail(QStringLiteral("--port must be a port number from 0 to 65535, not '%1'")
                     .arg(parser.value(port)),
                 2);
        o.port = static_cast<quint16>(n);
    }
    if (parser.isSet(address)) {
        const QString text = parser.value(address).trimmed();
        if (text.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0 &&
            !o.address.setAddress(text))
            fail(QStringLiteral("--address must be an IP address or localhost, not '%1'")
                     .arg(parser.value(address)),
                 2);
    }
    o.names = parser.isSet(names) ? parser.value(names) : defaultNamesFile();
    if (o.names.isEmpty()) fail(QStringLiteral("--names needs a file name"), 2);
    o.printPort = parser.isSet(printPort);
    return o;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tk5names"));
    const Options options = parseOptions(QCoreApplication::arguments());

    tk5names::NamesTable::Loaded loaded = tk5names::NamesTable::load(options.names);
    if (!loaded.table) fail(loaded.error, 1);
    std::fprintf(stderr, "tk5names: %lld names from %s",
                 static_cast<long long>(loaded.table->size()),
                 qPrintable(QDir::toNativeSeparators(options.names)));
    if (loaded.skippedLines > 0)
        std::fprintf(stderr, " (%lld %s without a ticker and a name skipped)",
                     static_cast<long long>(loaded.skippedLines),
                     loaded.skippedLines == 1 ? "line" : "lines");
    std::fputc('\n', stderr);

    tk5names::NamesService service(std::move(*loaded.table));
    QString error;
    const quint16 port = service.listen(options.address, options.port, error);
    if (port == 0)
        fail(QStringLiteral("cannot listen on %1 port %2: %3")
                 .arg(options.address.toString())
                 .arg(options.port)
                 .arg(error),
             1);
    std::fprintf(stderr, "tk5names: answering on %s port %u\n",
                 qPrintable(options.address.toString()), unsigned{port});
    if (options.printPort) {
        std::printf("%u\n", unsigned{port});
        std::fflush(stdout);
    }
    return QCoreApplication::exec();
}
