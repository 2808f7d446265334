#pragma once

#include "PageStore.h"

#include <QString>

#include <memory>
#include <stdexcept>

// The native file of prepared pages (extension QRP): a magic text, a format
// version, the drawing records, and a SHA-256 digest of all that, so that a
// damaged file is refused before any of it is believed.
namespace rpt {

// A file that is not a readable page file; what() is the message for the user.
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

inline constexpr int kQrpVersion = 1;

QByteArray encodePages(const PageStore& pages);
// Throws FileError.
std::unique_ptr<PageStore> decodePages(const QByteArray& bytes);

// Throw FileError.
void savePages(const PageStore& pages, const QString& fileName);
std::unique_ptr<PageStore> loadPages(const QString& fileName);

} // namespace rpt
