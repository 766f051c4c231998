#include "app/AppInfo.h"
#include "app/cli/Arguments.h"
#include "app/cli/Command.h"
#include "app/db/ConnectionSettings.h"
#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/import/XlsReaderChild.h"
#include "app/migration/JetReaderChild.h"
#include "app/ui/DocumentKind.h"
#include "app/ui/GuardedApplication.h"
#include "app/ui/LegacyStoreOffer.h"
#include "app/ui/MainWindow.h"
#include "app/ui/QtDialogProvider.h"
#include "app/ui/ToolkitTranslations.h"
#include "report/chart/ChartRegistration.h"
#include "report/platform/DataFolders.h"
#include "report/platform/SettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <malloc.h>
#include <memory>
#include <unistd.h>

namespace {

/// Layout depends on font metrics, so every run uses the fonts configuration shipped with the
/// program (installed or in the source tree), unless the environment already names one.
void useProjectFonts()
{
    if (qEnvironmentVariableIsSet("FONTCONFIG_FILE"))
        return;
    const QString rules = tovren::platform::DataFolders::shippedPath(QStringLiteral("fonts.conf"));
    if (!rules.isEmpty() && QFileInfo::exists(rules))
        qputenv("FONTCONFIG_FILE", QFile::encodeName(rules));
}

/// Qt wants a private runtime folder; a batch run under a service account often has none.
void ensureRuntimeDir()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString path = QDir::temp().filePath(QStringLiteral("tovren-runtime-%1").arg(getuid()));
    if (QDir().mkpath(path)) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path));
    }
}

/// Writing one PDF per record subsets each font for every file, and the subsetter allocates its
/// working buffers afresh each time, a few hundred kilobytes, which the allocator's default maps
/// and hands back at once: with that default a run of per-record files takes three times as
/// long, most of it faulting the same memory in again. The process keeps what it freed instead;
/// its peak memory is unchanged, as that is set by what is in use at once.
void keepFreedMemory()
{
    constexpr int kTrimThresholdBytes = 256 * 1024 * 1024;
    constexpr int kTopPadBytes = 64 * 1024 * 1024;
    // Setting any of these ends the allocator's own raising of the size from which blocks are
    // mapped one by one, so that is set too, to the most it would raise it to by itself.
    constexpr int kMapThresholdBytes = 32 * 1024 * 1024;
    mallopt(M_TRIM_THRESHOLD, kTrimThresholdBytes);
    mallopt(M_TOP_PAD, kTopPadBytes);
    mallopt(M_MMAP_THRESHOLD, kMapThresholdBytes);
}

bool isCommandLineRun(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return false;
    const QString &first = arguments.first();
    if (tovren::app::documentKind(first) != tovren::app::DocumentKind::None)
        return false;
    return !first.startsWith(u"--database") || first == u"--help";
}

int runCommand(int argc, char **argv, const QStringList &arguments)
{
    // Commands never open windows; without a display they still need fonts and painting.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Charts are drawn through a graphics scene, which needs the widgets' application object
    // even when nothing is shown.
    QApplication application(argc, argv);
    // The same data folder as the window's, so both keep their logs in one place.
    QApplication::setApplicationName(QString::fromLatin1(tovren::app::kApplicationTitle));
    tovren::chart::registerChartObject();
    QTextStream out(stdout);
    QTextStream err(stderr);
    tovren::cli::CommandIo io{out, err};
    const int code = tovren::cli::dispatch(arguments, io);
    out.flush();
    err.flush();
    return code;
}

int runWindow(int argc, char **argv, const QStringList &arguments)
{
    using namespace tovren;
    app::GuardedApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(app::kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(app::kApplicationVersion));
    // The desktop matches the window to the installed entry and its icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("tovren"));
    QApplication::setWindowIcon(QIcon::fromTheme(
        QStringLiteral("tovren"),
        QIcon(platform::DataFolders::shippedPath(QStringLiteral("icons/tovren.svg")))));
    chart::registerChartObject();
    app::installToolkitTranslations(application);
    app::QtDialogProvider dialogs;
    application.setDialogs(&dialogs);
    platform::SettingsStore settings(QString::fromLatin1(app::kApplicationTitle));

    std::unique_ptr<db::TDbConnection> connection;
    QStringList documents;
    try {
        const cli::Arguments options(arguments, {QStringLiteral("database")}, {});
        documents = options.positional();
        const std::optional<QString> named = options.value(QStringLiteral("database"));
        // A store named on the command line is for this run only; the window keeps a choice
        // the clerk makes in it.
        connection = std::make_unique<db::TDbConnection>(db::chooseConnection(named, settings));
        const QString legacy = QString::fromUtf8(app::kLegacyDatabaseFile);
        if (!named && app::legacyMigrationDue(legacy, connection->spec()))
            app::offerLegacyMigration(legacy, *connection, dialogs);
    } catch (const std::exception &error) {
        dialogs.messageBox(QString::fromUtf8(error.what()),
                           QString::fromLatin1(app::kApplicationTitle), platform::mb_IconError);
        if (!connection)
            connection = std::make_unique<db::TDbConnection>(db::ConnectionSpec::parse({}));
    }

    app::TForm1 window(*connection, dialogs);
    dialogs.setParentWindow(&window);
    window.setSettingsStore(&settings);
    window.show();
    // A file the program was started on (a double-click in the file manager) opens once the
    // main window is on screen, so the designer or the preview has its parent.
    for (const QString &document : std::as_const(documents))
        QTimer::singleShot(0, &window, [&window, document] { window.openDocument(document); });
    return application.exec();
}

} // namespace

int main(int argc, char **argv)
{
    // Reader children need no application object, fonts or display.
    if (argc > 1) {
        QStringList childArguments;
        for (int i = 2; i < argc; ++i)
            childArguments << QString::fromLocal8Bit(argv[i]);
        if (qstrcmp(argv[1], tovren::migration::kJetReaderCommand) == 0)
            return tovren::migration::runJetReaderChild(childArguments);
        if (qstrcmp(argv[1], tovren::import::kXlsReaderCommand) == 0)
            return tovren::import::runXlsReaderChild(childArguments);
    }
    keepFreedMemory();
    qputenv("LANG", qgetenv("LANG").isEmpty() ? QByteArray("C.UTF-8") : qgetenv("LANG"));
    useProjectFonts();
    ensureRuntimeDir();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (isCommandLineRun(arguments))
        return runCommand(argc, argv, arguments);
    return runWindow(argc, argv, arguments);
}
