#pragma once
// Reads the published flat file (JSON) as a stream: the header's date and
// number of rounds, the digests of active and exempt taxpayers and the masks
// of virtual accounts are handed on one by one, so a file of millions of
// digests never sits in memory. Anything else in the file is skipped.

#include "module/whitelist/Skrot.h"

#include <QDate>
#include <QString>
#include <functional>
#include <stdexcept>

class QIODevice;

namespace whitelist {

enum class Lista { Czynni, Zwolnieni };

struct NaglowekPliku {
    QDate data;  // dataGenerowaniaDanych: the date every digest of the file starts with
    int rundy = 0;  // liczbaTransformacji
};

struct ZdarzeniaPliku {
    std::function<void(Lista, const Digest&)> skrot;
    std::function<void(const std::string&)> maska;
    // Bytes read so far; false stops the reading (BladPliku::przerwano()).
    std::function<bool(qint64)> postep;
};

// A malformed file, with a Polish message naming the byte where it went wrong.
class BladPliku : public std::runtime_error {
public:
    BladPliku(const QString& tekst, bool przerwany = false);
    QString tekst() const { return m_tekst; }
    bool przerwano() const { return m_przerwany; }

private:
    QString m_tekst;
    bool m_przerwany;
};

// Reads the whole device; throws BladPliku when it is not a flat file.
NaglowekPliku czytajPlikPlaski(QIODevice& plik, const ZdarzeniaPliku& zdarzenia);

}  // namespace whitelist
