#pragma once
// The suite database: a fresh file is made from the schema, procedures,
// grants and demo data compiled into the program.

#include "platform/fb/Fb.h"

#include <QString>
#include <string>

namespace suitedb {

// Placeholder in the demo data for the folder that holds the user's files
// (bank payment files, import files).
inline constexpr char kDataFolderToken[] = "{DANE}";

// The longest data folder taken: the folder columns hold 255 characters and
// the subfolders the stored paths add need room after it.
inline constexpr int kMaxDataFolderLength = 200;

// Creates the database file at `path` (a local path for the embedded engine
// or host:path for a server) and fills it. Folders named by the data (bank
// file folders, the import folder) are created under `dataFolder`; a data
// folder longer than kMaxDataFolderLength is refused before the file is made.
void createDatabase(const fb::ConnectParams& params, const QString& dataFolder, bool withDemo = true,
                    bool forcedWrites = true);

// Points every stored folder that starts with `oldFolder` at `newFolder`
// and creates the folders (used when a prepared database file is copied); a
// new folder longer than kMaxDataFolderLength is refused, nothing changed.
void relocateDataFolder(fb::Attachment& att, const QString& oldFolder, const QString& newFolder);

// Creates the folders that the company banks and the import parameter name.
void createDataFolders(fb::Attachment& att);

// Reads one of the compiled-in scripts (":/db/schema.sql" and so on).
std::string scriptText(const QString& name);

}  // namespace suitedb
