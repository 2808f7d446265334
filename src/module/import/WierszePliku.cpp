#include "module/import/WierszePliku.h"

#include "platform/text/Cp1250.h"

#include <QFile>

#include <limits>
#include <stdexcept>

TWierszePliku::TWierszePliku(QByteArray bajty) : m_bajty(std::move(bajty)) {
    // The index holds 32-bit offsets; files of 4 GB are no transfer lists.
    if (static_cast<std::uint64_t>(m_bajty.size()) > std::numeric_limits<std::uint32_t>::max())
        throw std::runtime_error("Zbiór jest za duży");
    const char* b = m_bajty.constData();
    const auto n = static_cast<std::uint32_t>(m_bajty.size());
    std::uint32_t poczatek = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        if (b[i] != '\n' && b[i] != '\r') continue;
        m_wiersze.push_back({poczatek, i - poczatek});
        if (b[i] == '\r' && i + 1 < n && b[i + 1] == '\n') ++i;
        poczatek = i + 1;
    }
    if (poczatek < n) m_wiersze.push_back({poczatek, n - poczatek});
}

TWierszePliku TWierszePliku::wczytaj(const QString& sciezka) {
    QFile plik(sciezka);
    if (!plik.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("Nie można odczytać zbioru %1\n%2").arg(sciezka, plik.errorString()).toStdString());
    QByteArray bajty = plik.readAll();
    bajty.squeeze();   // reading grows the buffer ahead of the data
    if (plik.error() != QFileDevice::NoError)
        throw std::runtime_error(
            QStringLiteral("Nie można odczytać zbioru %1\n%2").arg(sciezka, plik.errorString()).toStdString());
    return TWierszePliku(std::move(bajty));
}

QString TWierszePliku::wiersz(int i) const {
    const Zakres& z = m_wiersze.at(static_cast<std::size_t>(i));
    return text::fromCp1250(std::string_view(m_bajty.constData() + z.poczatek, z.dlugosc));
}

QStringList TWierszePliku::wszystkie() const {
    QStringList wynik;
    wynik.reserve(iIlosc());
    for (int i = 0; i < iIlosc(); ++i) wynik << wiersz(i);
    return wynik;
}

QString TWierszePliku::tekst() const {
    return text::fromCp1250(std::string_view(m_bajty.constData(), static_cast<std::size_t>(m_bajty.size())));
}

std::size_t TWierszePliku::iBajtow() const {
    return static_cast<std::size_t>(m_bajty.capacity()) + m_wiersze.capacity() * sizeof(Zakres);
}
