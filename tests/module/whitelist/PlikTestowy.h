#pragma once
// Flat files written by the tests: the digests computed here from readable
// pairs, so each test says which NIP and account the file vouches for.

#include "module/whitelist/Magazyn.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace pxtest {

struct PlikTestowy {
    std::string data = "20260707";
    int rundy = 3;
    std::vector<std::pair<std::string, std::string>> czynni, zwolnieni;  // NIP, account
    std::vector<std::string> maski;

    std::string skrot(const std::pair<std::string, std::string>& p) const {
        return whitelist::toHex(whitelist::digest(data, p.first, p.second, rundy));
    }
    std::string lista(const std::vector<std::pair<std::string, std::string>>& pary) const {
        std::string t;
        for (const auto& p : pary) t += (t.empty() ? "\n    \"" : ",\n    \"") + skrot(p) + "\"";
        return "[" + t + "\n  ]";
    }
    std::string json() const {
        std::string m;
        for (const auto& x : maski) m += (m.empty() ? "\"" : ", \"") + x + "\"";
        return "{\n  \"naglowek\": {\"dataGenerowaniaDanych\": \"" + data + "\", \"liczbaTransformacji\": \"" +
               std::to_string(rundy) + "\", \"schemat\": \"RRRRMMDDNNNNNNNNNNBBBBBBBBBBBBBBBBBBBBBBBBBB\"},\n" +
               "  \"skrotyPodatnikowCzynnych\": " + lista(czynni) +
               ",\n  \"skrotyPodatnikowZwolnionych\": " + lista(zwolnieni) + ",\n  \"maski\": [" + m + "]\n}\n";
    }
    whitelist::OpisMagazynu wczytaj() const {
        QByteArray bajty = QByteArray::fromStdString(json());
        QBuffer b(&bajty);
        b.open(QIODevice::ReadOnly);
        return whitelist::wczytajPlikPlaski(b);
    }
};

// The n-th valid NIP from 100000000 on: tests that need many taxpayers.
inline std::string poprawnyNip(int n) {
    static const int wagi[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
    for (int kolejny = 0;; ++kolejny) {
        const std::string cyfry = std::to_string(100000000 + kolejny);
        int suma = 0;
        for (int i = 0; i < 9; ++i) suma += wagi[i] * (cyfry[i] - '0');
        if (suma % 11 == 10) continue;
        if (n-- == 0) return cyfry + char('0' + suma % 11);
    }
}

// Every test keeps its loaded files in a folder of its own.
class MagazynTestowy : public ::testing::Test {
protected:
    void SetUp() override { whitelist::ustawFolderMagazynu(folder.path()); }
    QTemporaryDir folder;
};

}  // namespace pxtest
