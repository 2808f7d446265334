#pragma once
// Which database the host opens: the command line first, then the
// environment, then the settings file, then the demo database of the user.

#include "platform/fb/Fb.h"

#include <QString>
#include <QStringList>

namespace host {

struct Connection {
    fb::ConnectParams params;
    QString userName = QStringLiteral("ADMIN");   // the suite user
    bool demo = false;                              // the user's own demo database
    bool newDemo = false;                           // make a demo database afresh at the chosen path
    QString screenshot;                             // render the main window into it and quit
    QString screenshotEntry;                        // the same with the entry form open on the current transfer
    QString screenshotImport;                       // the same with the import window over the register
    QString screenshotStatement;                    // the same with the bank statements window
    QString screenshotFile;                         // the file the import or statements window shows
    QString screenshotRealized;                     // the same with the realized transfers over the register
    QString screenshotAccept;                       // the same with the account acceptance window
    QString screenshotParams;                       // the same with the parameters window
};

// Reads the arguments (--db, --user, --password, --user-name, --new-demo,
// --screenshot, --screenshot-entry, --screenshot-import, --screenshot-statement,
// --screenshot-file, --screenshot-realized, --screenshot-accept, --screenshot-params); throws
// std::invalid_argument with a Polish text for a bad one.
Connection chooseConnection(const QStringList& arguments);

// ~/.local/share/pxfer/demo.fdb and its data folder.
QString demoDatabasePath();
QString demoDataFolder();

// The folder the user's files go to, which {DANE} in stored paths stands
// for: the demo's own, else "dane" next to a local database file; a server
// database keeps the user's own folder.
QString dataFolder(const Connection& connection);

// Creates the user's demo database when it is missing, or a fresh demo
// database at the chosen path when asked to (an existing file is replaced).
void prepareDemo(const Connection& connection);

}  // namespace host
