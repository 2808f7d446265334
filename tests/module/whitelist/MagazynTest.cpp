#include "module/whitelist/PlikPlaski.h"
#include "module/whitelist/PlikTestowy.h"
#include "module/whitelist/SortowaneSkroty.h"
#include "module/whitelist/Sprawdzenie.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <random>

using namespace whitelist;
using pxtest::MagazynTestowy;
using pxtest::PlikTestowy;

namespace {

const std::pair<std::string, std::string> kCzynny{"5512393471", "51195000012006007341830002"};
const std::pair<std::string, std::string> kZwolniony{"1132191233", "61109010140000071219812874"};
// The list holds the virtual account as its mask makes it, X and all.
const std::string kMaska = "YY10901014XXXXXXYYYYYYYYYY";
const std::pair<std::string, std::string> kWirtualny{"7740001454", "7410901014XXXXXX0000123456"};
const std::string kKontoWirtualne = "74109010149988770000123456";
// A mask that leaves the bank open fits any bank's account.
const std::string kMaskaOtwarta = "YYYYYYYYYYYYYYXXXXXXYYYYYY";
const std::pair<std::string, std::string> kOtwarty{"5260250274", "12345678901234XXXXXX567890"};

PlikTestowy plik() {
    PlikTestowy p;
    p.czynni = {kCzynny, kWirtualny};
    p.zwolnieni = {kZwolniony, kOtwarty};
    p.maski = {"YY11401124XXXXXXYYYYYYYYYY", kMaska, kMaskaOtwarta};
    return p;
}

Wynik sprawdzPare(const Magazyn& m, const std::string& nip, const std::string& konto) {
    return sprawdz(m, Para{nip, konto});
}

QString bladWczytania(const std::string& json) {
    QByteArray bajty = QByteArray::fromStdString(json);
    QBuffer b(&bajty);
    b.open(QIODevice::ReadOnly);
    try {
        wczytajPlikPlaski(b);
    } catch (const BladPliku& e) {
        return e.tekst();
    }
    return {};
}

}  // namespace

TEST_F(MagazynTestowy, ActiveExemptMaskedAndMissingPairs) {
    const OpisMagazynu o = plik().wczytaj();
    EXPECT_EQ(o.data, QDate(2026, 7, 7));
    EXPECT_EQ(o.rundy, 3);
    EXPECT_EQ(o.czynnych, 2u);
    EXPECT_EQ(o.zwolnionych, 2u);
    EXPECT_EQ(o.masek, 3u);

    const auto m = Magazyn::otworz(QDate(2026, 7, 7));
    ASSERT_TRUE(m);
    EXPECT_EQ(sprawdzPare(*m, "551-239-34-71", "PL51 1950 0001 2006 0073 4183 0002").status, Status::Czynny);
    EXPECT_EQ(sprawdzPare(*m, kZwolniony.first, kZwolniony.second).status, Status::Zwolniony);
    const Wynik wirtualny = sprawdzPare(*m, kWirtualny.first, kKontoWirtualne);
    EXPECT_EQ(wirtualny.status, Status::Czynny);
    EXPECT_TRUE(wirtualny.przezMaske);
    EXPECT_EQ(opis(wirtualny), "rachunek wirtualny czynnego podatnika VAT");
    const Wynik otwarty = sprawdzPare(*m, kOtwarty.first, "12345678901234999999567890");
    EXPECT_EQ(otwarty.status, Status::Zwolniony);
    EXPECT_TRUE(otwarty.przezMaske);

    // The right account of another NIP, and a right NIP with another account, are not on the list.
    EXPECT_EQ(sprawdzPare(*m, kZwolniony.first, kCzynny.second).status, Status::Brak);
    EXPECT_EQ(sprawdzPare(*m, kCzynny.first, "51195000012006007341830003").status, Status::Brak);
    // The masked form belongs to its own NIP only.
    EXPECT_EQ(sprawdzPare(*m, kCzynny.first, kKontoWirtualne).status, Status::Brak);
    // A short NIP, or one whose check digit is wrong, is refused as such.
    for (const char* nip : {"55123934", "5512393472"}) {
        const Wynik bledny = sprawdzPare(*m, nip, kCzynny.second);
        EXPECT_TRUE(bledny.bledneDane) << nip;
        EXPECT_EQ(bledny.status, Status::Brak);
    }

    // Many transfers at once give each its own answer, repeated pairs included.
    const auto wyniki = sprawdz(*m, {Para{kCzynny.first, kCzynny.second}, Para{"1111111111", kCzynny.second},
                                     Para{kCzynny.first, kCzynny.second}, Para{kZwolniony.first, kZwolniony.second}});
    ASSERT_EQ(wyniki.size(), 4u);
    EXPECT_EQ(wyniki[0].status, Status::Czynny);
    EXPECT_EQ(wyniki[1].status, Status::Brak);
    EXPECT_EQ(wyniki[2].status, Status::Czynny);
    EXPECT_EQ(wyniki[3].status, Status::Zwolniony);
}

TEST_F(MagazynTestowy, TheFileIsReadWhateverTheOrderOfItsPartsAndSkipsWhatItDoesNotKnow) {
    PlikTestowy p = plik();
    const std::string json =
        "{\"inne\": {\"a\": [1, 2.5e3, true, null, {\"b\": \"x\\\"y\"}]},\n \"maski\": [],\n"
        "\"skrotyPodatnikowCzynnych\": [\"" +
        p.skrot(kCzynny) + "\"],\n\"skrotyPodatnikowZwolnionych\": [],\n" +
        "\"naglowek\": {\"liczbaTransformacji\": 3, \"dataGenerowaniaDanych\": \"20260707\"}}";
    QByteArray bajty = QByteArray::fromStdString(json);
    QBuffer b(&bajty);
    b.open(QIODevice::ReadOnly);
    EXPECT_EQ(wczytajPlikPlaski(b).czynnych, 1u);
    EXPECT_EQ(sprawdzPare(*Magazyn::otworz(QDate(2026, 7, 7)), kCzynny.first, kCzynny.second).status, Status::Czynny);
}

TEST_F(MagazynTestowy, ABrokenFileIsRefusedAndTheDaysStoreLoadedBeforeStays) {
    plik().wczytaj();
    const std::string dobry = plik().json();
    const struct {
        std::string json;
        const char* tekst;
    } zle[] = {
        {dobry.substr(0, dobry.size() / 2), "niezakończony tekst"},
        {"{\"skrotyPodatnikowCzynnych\": [\"abc\"]}", "błędny skrót"},
        {"{\"maski\": [\"YY1140112\"]}", "błędna maska"},
        {"{\"skrotyPodatnikowCzynnych\": []}", "brak nagłówka"},
        {"{\"naglowek\": {\"dataGenerowaniaDanych\": \"20261332\", \"liczbaTransformacji\": \"5000\"}}", "błędna data"},
        {"{\"naglowek\": {\"dataGenerowaniaDanych\": \"20260707\", \"liczbaTransformacji\": \"0\"}}",
         "błędna liczba przekształceń"},
        {"{\"naglowek\": {\"dataGenerowaniaDanych\": \"20260707\"}}", "brak liczby przekształceń"},
        {dobry + "}", "po końcu danych"},
        {std::string(100, '['), "oczekiwano znaku '{'"},
        {"{\"x\": " + std::string(100, '[') + std::string(100, ']') + "}", "zbyt głębokie"},
        {"", "oczekiwano znaku '{'"},
    };
    for (const auto& z : zle) {
        const QString blad = bladWczytania(z.json);
        EXPECT_TRUE(blad.startsWith("To nie jest poprawny plik płaski białej listy")) << blad.toStdString();
        EXPECT_TRUE(blad.contains(QString::fromUtf8(z.tekst))) << blad.toStdString();
    }
    const auto m = Magazyn::otworz(QDate(2026, 7, 7));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->opis().czynnych, 2u);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1);  // no temporary file left
}

TEST_F(MagazynTestowy, StoppedLoadingLeavesNothingAndADamagedStoreIsNotRead) {
    QByteArray bajty = QByteArray::fromStdString(plik().json());
    QBuffer b(&bajty);
    b.open(QIODevice::ReadOnly);
    try {
        wczytajPlikPlaski(b, [](qint64) { return false; });
        FAIL() << "loading went on";
    } catch (const BladPliku& e) {
        EXPECT_TRUE(e.przerwano());
    }
    EXPECT_TRUE(wczytaneDni().empty());

    plik().wczytaj();
    QFile f(folder.path() + "/20260707.bl");
    ASSERT_TRUE(f.resize(f.size() - 10));
    EXPECT_FALSE(Magazyn::otworz(QDate(2026, 7, 7)));
}

TEST_F(MagazynTestowy, TheIssueDaysFileOrTheNewestWithAWarning) {
    EXPECT_FALSE(magazynNaDzien(QDate(2026, 7, 7)).magazyn);
    EXPECT_TRUE(magazynNaDzien(QDate(2026, 7, 7)).ostrzezenie.startsWith("Nie wczytano pliku płaskiego"));

    PlikTestowy p = plik();
    p.wczytaj();
    p.data = "20260703";
    p.wczytaj();
    EXPECT_EQ(wczytaneDni(), (std::vector<QDate>{QDate(2026, 7, 3), QDate(2026, 7, 7)}));

    const WybranyMagazyn tegoDnia = magazynNaDzien(QDate(2026, 7, 3));
    ASSERT_TRUE(tegoDnia.magazyn);
    EXPECT_EQ(tegoDnia.magazyn->opis().data, QDate(2026, 7, 3));
    EXPECT_TRUE(tegoDnia.ostrzezenie.isEmpty());

    const WybranyMagazyn pozniej = magazynNaDzien(QDate(2026, 7, 9));
    ASSERT_TRUE(pozniej.magazyn);
    EXPECT_EQ(pozniej.magazyn->opis().data, QDate(2026, 7, 7));
    EXPECT_TRUE(pozniej.ostrzezenie.contains("z dnia 2026-07-07, starszego niż dzień przelewów"))
        << pozniej.ostrzezenie.toStdString();
    // The digests carry their file's date: a pair is found in the file it was published in.
    EXPECT_EQ(sprawdzPare(*pozniej.magazyn, kCzynny.first, kCzynny.second).status, Status::Czynny);
}

TEST(SortowaneSkroty, ManyRunsMergeIntoOneAscendingListWithoutRepeats) {
    SortowaneSkroty s(1000);
    std::mt19937_64 los(7);
    std::vector<Digest> wszystkie;
    const std::size_t ile = 20500;
    for (std::size_t i = 0; i < ile; ++i) {
        Digest d;
        for (auto& bajt : d) bajt = static_cast<unsigned char>(los());
        wszystkie.push_back(d);
        s.dodaj(d);
        if (i % 700 == 0) s.dodaj(d);  // repeats within and across runs
    }
    s.dodaj(wszystkie.front());
    QByteArray wynik;
    QBuffer b(&wynik);
    b.open(QIODevice::WriteOnly);
    EXPECT_EQ(s.zapisz(b), ile);
    ASSERT_EQ(static_cast<std::size_t>(wynik.size()), ile * sizeof(Digest));
    std::sort(wszystkie.begin(), wszystkie.end());
    EXPECT_EQ(std::memcmp(wynik.constData(), wszystkie.data(), static_cast<std::size_t>(wynik.size())), 0);
}

// The session keeps the digests it computed: the same pairs checked again the
// same day cost no hashing, while a check stopped on the way answers nothing.
TEST_F(MagazynTestowy, ASecondCheckOfTheSamePairsHashesNothingAndAStoppedOneAnswersNothing) {
    PlikTestowy p;
    p.data = "20260709";  // a day of its own: the digests are kept for the whole test program
    std::vector<Para> pary;
    for (int i = 0; i < 20; ++i) {
        const std::pair<std::string, std::string> para{pxtest::poprawnyNip(i), kCzynny.second};
        if (i % 2 == 0) p.czynni.push_back(para);
        pary.push_back({para.first, para.second});
    }
    pary.push_back(pary.front());  // paid twice: hashed once
    pary.push_back({"123", kCzynny.second});  // unusable: nothing to hash
    p.wczytaj();
    const auto m = Magazyn::otworz(QDate(2026, 7, 9));
    ASSERT_TRUE(m);

    std::vector<std::pair<std::size_t, std::size_t>> zgloszone;
    const auto zatrzymaj = [&](std::size_t zrobione, std::size_t wszystkie) {
        zgloszone.emplace_back(zrobione, wszystkie);
        return false;
    };
    EXPECT_FALSE(sprawdz(*m, pary, zatrzymaj));
    ASSERT_EQ(zgloszone.size(), 1u);
    EXPECT_EQ(zgloszone[0], std::make_pair(std::size_t{0}, std::size_t{20}));

    zgloszone.clear();
    const auto licz = [&](std::size_t zrobione, std::size_t wszystkie) {
        zgloszone.emplace_back(zrobione, wszystkie);
        return true;
    };
    const auto pierwsze = sprawdz(*m, pary, licz);
    ASSERT_TRUE(pierwsze);
    ASSERT_FALSE(zgloszone.empty());
    EXPECT_EQ(zgloszone.back(), std::make_pair(std::size_t{20}, std::size_t{20}));
    ASSERT_EQ(pierwsze->size(), pary.size());
    for (std::size_t i = 0; i < 20; ++i)
        EXPECT_EQ((*pierwsze)[i].status, i % 2 == 0 ? Status::Czynny : Status::Brak) << i;
    EXPECT_EQ((*pierwsze)[20].status, Status::Czynny);
    EXPECT_TRUE((*pierwsze)[21].bledneDane);

    zgloszone.clear();
    const auto drugie = sprawdz(*m, pary, licz);
    EXPECT_TRUE(zgloszone.empty()) << "nothing left to hash";
    ASSERT_TRUE(drugie);
    for (std::size_t i = 0; i < pary.size(); ++i) EXPECT_EQ((*drugie)[i].status, (*pierwsze)[i].status) << i;
}
