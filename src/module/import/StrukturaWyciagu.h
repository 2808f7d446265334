#pragma once
// The structure of a bank statement in SWIFT field tags: ":25:/PL" carries
// the account (26 characters from position 8), ":61:" opens one entry whose
// amount is the 15 characters from position 17, and the entry's ":86:"
// description must be the very next line. Other lines are passed over.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Called while the statement is read: an entry ends (before the second and
// every later ":61:"), an entry got its description (after its ":86:").
struct TZdarzeniaWyciagu {
    std::function<void()> koniecPozycji;
    std::function<void()> pozycjaOpisana;
};

struct TWynikWyciagu {
    enum class Koniec {
        Plik,        // read to the end
        BrakOpisu,   // a ":61:" line without ":86:" after it
        ZlaKwota,    // a ":61:" amount that is no number
    };
    Koniec koniec = Koniec::Plik;
    // The account of the last ":25:/PL" line; "0" before one and again after
    // every further entry, so only a statement of one entry shows its account.
    QString konto = QStringLiteral("0");
    int wiersz = -1;        // the line the reading stopped at (from 0), -1 at the end
    QString kwota;          // the amount text that did not convert
};

TWynikWyciagu wynikCzytaniaWyciagu(const QStringList& wiersze, const TZdarzeniaWyciagu& zdarzenia = {});

// A statement amount: digits with a decimal comma, as statements write them
// whatever the locale of the machine reading them; blanks around allowed.
std::optional<double> kwotaWyciagu(const QString& tekst);
