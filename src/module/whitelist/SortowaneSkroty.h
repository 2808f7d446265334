#pragma once
// Digests sorted on disk in bounded memory: they are gathered in runs of a
// fixed size, each run sorted and spilled to a temporary file, and the runs
// merged into the output at the end, duplicates dropped. Memory stays the
// same whatever the number of digests.

#include "module/whitelist/Skrot.h"

#include <QTemporaryFile>
#include <vector>

class QIODevice;

namespace whitelist {

class SortowaneSkroty {
public:
    // Digests held in memory before a run is spilled.
    static constexpr std::size_t kSeria = 1 << 17;

    explicit SortowaneSkroty(std::size_t seria = kSeria);
    void dodaj(const Digest& d);
    // Writes every digest once, in ascending byte order; the number written.
    quint64 zapisz(QIODevice& wyjscie);

private:
    void zrzucSerie();

    std::size_t m_rozmiarSerii;
    std::vector<Digest> m_seria;
    QTemporaryFile m_serie;
    std::vector<quint64> m_dlugosci;  // digests in each spilled run
};

// Writes whole digests through a buffer of its own: a write per digest to a
// file device would cost a call each.
class ZapisSkrotow {
public:
    explicit ZapisSkrotow(QIODevice& wyjscie) : m_wyjscie(wyjscie) { m_bufor.reserve(kBufor); }
    void zapisz(const void* dane, std::size_t ile);
    void oproznij();

private:
    static constexpr std::size_t kBufor = 1 << 16;
    QIODevice& m_wyjscie;
    std::vector<char> m_bufor;
};

}  // namespace whitelist
