#include "host/Connection.h"
#include "host/WindowTabBar.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Points the user's configuration and data folders at a temporary folder.
class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        QCoreApplication::setApplicationName("pxfer");
        qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
        qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
        for (const char* name : {"PXFER_DB", "PXFER_USER", "PXFER_PASSWORD"}) qunsetenv(name);
    }
    void TearDown() override {
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "PXFER_DB", "PXFER_USER", "PXFER_PASSWORD"})
            qunsetenv(name);
    }
    static host::Connection choose(QStringList args) {
        args.prepend("pxhost");
        return host::chooseConnection(args);
    }

    QTemporaryDir home;
};

}  // namespace

// Each value comes from the first source naming it: command line, environment,
// settings file; with none at all, the user's own demo database.
TEST_F(ConnectionTest, CommandLineBeatsEnvironmentWhichBeatsTheSettingsFileOrTheDemo) {
    // Database, user, whether it is the demo, data folder.
    const auto chosen = [](const host::Connection& c) {
        return QString::fromStdString(c.params.database + "|" + c.params.user + "|") + (c.demo ? "demo|" : "|") +
               host::dataFolder(c);
    };
    host::Connection c = choose({"--screenshot", "/tmp/x.png"});
    const QString demo = home.path() + "/data/pxfer/";
    EXPECT_EQ(chosen(c), demo + "demo.fdb|SYSDBA|demo|" + demo + "dane");
    EXPECT_EQ(c.userName + "|" + c.screenshot, "ADMIN|/tmp/x.png");

    QSettings settings(home.path() + "/config/pxfer/pxhost.conf", QSettings::IniFormat);
    settings.setValue("db", "/srv/settings.fdb");
    settings.setValue("user", "SETUSER");
    settings.sync();
    EXPECT_EQ(chosen(choose({})), "/srv/settings.fdb|SETUSER||/srv/dane");
    // A server's folders are not this workstation's.
    qputenv("PXFER_DB", "server:/srv/env.fdb");
    EXPECT_EQ(chosen(choose({})), "server:/srv/env.fdb|SETUSER||" + demo + "dane");

    c = choose({"--db", "/srv/args.fdb", "--user", "ARGUSER", "--password", "tajne", "--user-name", "kasia"});
    EXPECT_EQ(chosen(c), "/srv/args.fdb|ARGUSER||/srv/dane");
    EXPECT_EQ(QString::fromStdString(c.params.password) + "|" + c.userName, "tajne|KASIA");
}

TEST_F(ConnectionTest, BadArgumentsAreRefused) {
    EXPECT_THROW(choose({"--no-such-option"}), std::invalid_argument);
    EXPECT_THROW(choose({"--user-name", "ZBYT_DLUGA_NAZWA"}), std::invalid_argument);
    EXPECT_THROW(choose({"--user-name", " "}), std::invalid_argument);
}

TEST_F(ConnectionTest, DemoDatabaseIsMadeOnceUnlessAskedAgain) {
    host::Connection c = choose({});
    // Whether the demo names its company, after running `statement` on it.
    const auto namesCompany = [&c](const char* statement = nullptr) {
        fb::Attachment att = fb::Attachment::connect(c.params);
        fb::Transaction tr(att);
        if (statement) att.execute(tr, statement);
        const bool named = fb::selectValue(tr, "select NAZWA from SU_FIRMA").has_value();
        tr.commit();
        return named;
    };
    host::prepareDemo(c);
    EXPECT_TRUE(namesCompany());
    EXPECT_FALSE(namesCompany("delete from SU_FIRMA"));
    host::prepareDemo(c);  // present: kept as it is
    EXPECT_FALSE(namesCompany());
    c.newDemo = true;
    host::prepareDemo(c);
    EXPECT_TRUE(namesCompany());
    EXPECT_TRUE(QDir(host::demoDataFolder()).exists());
}

// A user whose data folder is long (a long name, a temporary home) gets the
// demo on the first start, its stored folders whole; one too long for the
// database is told so and left without a half-made demo.
TEST_F(ConnectionTest, DemoDatabaseStartsForAUserWithALongDataFolder) {
    QString dataHome = home.path() + QStringLiteral("/katarzyna.wiśniewska-o'żółć");
    while (dataHome.size() < 140) dataHome += QStringLiteral("/Śląsk");
    qputenv("XDG_DATA_HOME", dataHome.toUtf8());
    host::Connection c = choose({});
    const QString folder = host::demoDataFolder();
    ASSERT_GE(folder.size(), 150);
    host::prepareDemo(c);
    {
        fb::Attachment att = fb::Attachment::connect(c.params);
        fb::Transaction tr(att);
        EXPECT_EQ(QString::fromStdString(std::get<std::string>(*fb::selectValue(
                      tr,
                      "select (select SCIEZKA_PRZELEWOW from ET_BANKI where ID = 1) || '|' || "
                      "SCIEZKA_IMPORTU_PRZELEWOW || '|' || SCIEZKA_IMPORTU_FAKTUR from RE_PARAMETRY"))),
                  folder + "/przelewy/pbk|" + folder + "/import|" + folder + "/import");
        tr.commit();
    }
    EXPECT_TRUE(QDir(folder + "/przelewy/bm").exists());

    while (dataHome.size() < 260) dataHome += QStringLiteral("/Śląsk");
    qputenv("XDG_DATA_HOME", dataHome.toUtf8());
    c = choose({});
    c.newDemo = true;
    EXPECT_THROW(host::prepareDemo(c), std::exception);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(c.params.database)));
}

TEST(WindowTabBar, FollowsTheWindowsAndActivatesThem) {
    QMdiArea area;
    area.show();
    host::WindowTabBar bar;
    auto* first = new QWidget;
    auto* second = new QWidget;
    QMdiSubWindow* firstSub = area.addSubWindow(first);
    QMdiSubWindow* secondSub = area.addSubWindow(second);
    firstSub->show();
    secondSub->show();
    for (QWidget* w : {first, second, first}) bar.addWindow(w);
    ASSERT_EQ(bar.count(), 2);
    area.setActiveSubWindow(secondSub);
    emit bar.tabBarClicked(0);
    EXPECT_EQ(area.activeSubWindow(), firstSub);
    bar.removeWindow(first);
    EXPECT_EQ(bar.windowAt(0), second);
    delete secondSub;  // gone without telling the bar
    EXPECT_EQ(bar.count(), 0);
    delete firstSub;
}
