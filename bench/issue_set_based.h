#pragma once
// The yardstick of the issue benchmark: the same issue as the issuing window
// makes (batch row, payments, realized rows, ledger document with its entries
// and stamps, bank file of procedure 1) done by a handful of set-based
// statements in one transaction, and the file written from one select through
// a plain buffered writer. Also reads a database's end state so that the two
// can be proven to leave exactly the same rows.

#include "platform/fb/Fb.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <map>
#include <string>
#include <vector>

namespace issuebench {

struct SetBasedIssue {
    QDate day;
    char letter = 'A';
    int bankId = 1;  // ET_BANKI of procedure 1, not grouping
    int documentCode = 3;  // FK_KODY_DOK of the transfers' ledger documents
    QString user;  // DODAL of the ledger rows
};

// Issues every transfer marked in set 1 (ZAZNACZ) ordered by contractor and
// key, returns the milliseconds it took, statements, commit and file included.
qint64 issueSetBased(const fb::ConnectParams& database, const SetBasedIssue& issue);

// Every user table's rows as sorted text lines, the data folders written as
// {DANE}, and the generators' values under "generators".
using EndState = std::map<std::string, std::vector<std::string>>;
EndState endState(const fb::ConnectParams& database, const QStringList& dataFolders);

// The first difference between two end states; empty when they are equal.
std::string difference(const EndState& expected, const EndState& actual);

// The first differing byte of two files; empty when they are equal.
std::string fileDifference(const QString& expected, const QString& actual);

}  // namespace issuebench
