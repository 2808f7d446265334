#pragma once
// A text file that came from outside the suite (the payroll program's
// transfers, a bank statement), read whole and split into lines: CR LF, LF
// and a lone CR each end a line, and a last line without an ending still
// counts. The bytes are Windows-1250; a line is decoded only when asked for,
// so a large file is held once, as the bytes it has on disk.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class TWierszePliku {
public:
    TWierszePliku() = default;
    explicit TWierszePliku(QByteArray bajty);

    // Throws std::runtime_error with a Polish message naming the file when it
    // cannot be read.
    static TWierszePliku wczytaj(const QString& sciezka);

    int iIlosc() const { return static_cast<int>(m_wiersze.size()); }
    QString wiersz(int i) const;
    QStringList wszystkie() const;
    // The whole file as text, for showing it.
    QString tekst() const;
    // Memory held for the file: its bytes and the line index.
    std::size_t iBajtow() const;

private:
    struct Zakres {
        std::uint32_t poczatek, dlugosc;
    };
    QByteArray m_bajty;
    std::vector<Zakres> m_wiersze;
};
