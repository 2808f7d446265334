#include "host/Connection.h"

#include "suitedb/SuiteDatabase.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <stdexcept>

namespace host {

QString demoDatabasePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/demo.fdb");
}

QString demoDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/dane");
}

Connection chooseConnection(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption db("db", "Baza danych: ścieżka lub serwer:ścieżka.", "baza");
    const QCommandLineOption user("user", "Użytkownik serwera baz danych.", "nazwa");
    const QCommandLineOption password("password", "Hasło serwera baz danych.", "hasło");
    const QCommandLineOption userName("user-name", "Użytkownik programu (domyślnie ADMIN).", "nazwa");
    const QCommandLineOption newDemo("new-demo", "Tworzy bazę demonstracyjną od nowa.");
    const QCommandLineOption screenshot("screenshot", "Zapisuje obraz okna z rejestrem przelewów i kończy.", "plik.png");
    const QCommandLineOption screenshotEntry("screenshot-entry",
                                             "Zapisuje obraz okna z formularzem zmiany przelewu i kończy.", "plik.png");
    const QCommandLineOption screenshotImport("screenshot-import",
                                              "Zapisuje obraz okna z importem przelewów i kończy.", "plik.png");
    const QCommandLineOption screenshotStatement("screenshot-statement",
                                                 "Zapisuje obraz okna wyciągów bankowych i kończy.", "plik.png");
    const QCommandLineOption screenshotFile("screenshot-file", "Zbiór pokazany w oknie importu lub wyciągów.",
                                            "zbiór");
    const QCommandLineOption screenshotRealized(
        "screenshot-realized", "Zapisuje obraz okna z przelewami zrealizowanymi i kończy.", "plik.png");
    const QCommandLineOption screenshotAccept("screenshot-accept",
                                              "Zapisuje obraz okna akceptacji kont bankowych i kończy.", "plik.png");
    const QCommandLineOption screenshotParams("screenshot-params", "Zapisuje obraz okna parametrów i kończy.",
                                              "plik.png");
    parser.addOptions({db, user, password, userName, newDemo, screenshot, screenshotEntry, screenshotImport,
                       screenshotStatement, screenshotFile, screenshotRealized,
                       screenshotAccept, screenshotParams});
    parser.addHelpOption();
    if (!parser.parse(arguments))
        throw std::invalid_argument(parser.errorText().toStdString());

    Connection c;
    const QSettings settings(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                                 QStringLiteral("/pxfer/pxhost.conf"),
                             QSettings::IniFormat);
    // The first source that names a value wins.
    const auto pick = [&](const QCommandLineOption& option, const char* env, const char* key) {
        if (parser.isSet(option))
            return parser.value(option);
        if (qEnvironmentVariableIsSet(env))
            return qEnvironmentVariable(env);
        return settings.value(key).toString();
    };
    const QString database = pick(db, "PXFER_DB", "db");
    const QString serverUser = pick(user, "PXFER_USER", "user");
    const QString serverPassword = pick(password, "PXFER_PASSWORD", "password");
    c.demo = database.isEmpty();
    c.params.database = (c.demo ? demoDatabasePath() : database).toStdString();
    if (!serverUser.isEmpty())
        c.params.user = serverUser.toStdString();
    c.params.password = serverPassword.toStdString();
    if (parser.isSet(userName))
        c.userName = parser.value(userName).trimmed().toUpper();
    if (c.userName.isEmpty() || c.userName.size() > 10)
        throw std::invalid_argument("Nazwa użytkownika programu musi mieć od 1 do 10 znaków.");
    c.newDemo = parser.isSet(newDemo);
    c.screenshot = parser.value(screenshot);
    c.screenshotEntry = parser.value(screenshotEntry);
    c.screenshotImport = parser.value(screenshotImport);
    c.screenshotStatement = parser.value(screenshotStatement);
    c.screenshotFile = parser.value(screenshotFile);
    c.screenshotRealized = parser.value(screenshotRealized);
    c.screenshotAccept = parser.value(screenshotAccept);
    c.screenshotParams = parser.value(screenshotParams);
    return c;
}

QString dataFolder(const Connection& connection)
{
    const QString path = QString::fromStdString(connection.params.database);
    // "server:path" (a drive letter is no server)
    const bool server = path.indexOf(QLatin1Char(':')) > 1;
    if (connection.demo || server)
        return demoDataFolder();
    return QFileInfo(path).absolutePath() + QStringLiteral("/dane");
}

void prepareDemo(const Connection& connection)
{
    const QString path = QString::fromStdString(connection.params.database);
    const bool missingDemo = connection.demo && !QFile::exists(path);
    if (!missingDemo && !connection.newDemo)
        return;
    if (QFile::exists(path))
        QFile::remove(path);
    QDir().mkpath(QFileInfo(path).path());
    suitedb::createDatabase(connection.params, dataFolder(connection), true);
}

}  // namespace host
