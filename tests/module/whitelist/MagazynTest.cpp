#include "module/whitelist/PlikPlaski.h"
#include "module/whitelist/PlikTestowy.h"
#include "module/whitelist/SortowaneSkroty.h"
#include "module/whitelist/Sprawdzenie.h"
#include "module/whitelist/ZnaneSkroty.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <random>
#include <tuple>

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

// Reads the text as a flat file: the reader's refusal, or empty when it loaded.
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
    EXPECT_EQ(std::tuple(o.data, o.rundy, o.czynnych, o.zwolnionych, o.masek),
              std::tuple(QDate(2026, 7, 7), 3, std::size_t{2}, std::size_t{2}, std::size_t{3}));
    // Other workstations of the office read the store under their own users.
    const QFile::Permissions prawa = QFile::permissions(folderMagazynu() + "/20260707.bl");
    EXPECT_TRUE((prawa & QFile::ReadGroup) && (prawa & QFile::ReadOther));
    const auto m = Magazyn::otworz(QDate(2026, 7, 7));
    ASSERT_TRUE(m);
    const struct {
        std::string nip, konto;
        Status status;
        bool przezMaske = false, bledneDane = false;
    } przypadki[] = {
        {"551-239-34-71", "PL51 1950 0001 2006 0073 4183 0002", Status::Czynny},
        {kZwolniony.first, kZwolniony.second, Status::Zwolniony},
        {kWirtualny.first, kKontoWirtualne, Status::Czynny, true},
        {kOtwarty.first, "12345678901234999999567890", Status::Zwolniony, true},
        // The right account of another NIP, a right NIP with another account,
        // the masked form of another NIP are not on the list.
        {kZwolniony.first, kCzynny.second, Status::Brak},
        {kCzynny.first, "51195000012006007341830003", Status::Brak},
        {kCzynny.first, kKontoWirtualne, Status::Brak},
        // A short NIP, or one whose check digit is wrong, is refused as such.
        {"55123934", kCzynny.second, Status::Brak, false, true},
        {"5512393472", kCzynny.second, Status::Brak, false, true},
        {kCzynny.first, kCzynny.second, Status::Czynny},  // paid twice in one check
    };
    std::vector<Para> pary;
    for (const auto& p : przypadki) pary.push_back(Para{p.nip, p.konto});
    const std::vector<Wynik> wyniki = sprawdz(*m, pary);
    ASSERT_EQ(wyniki.size(), pary.size());
    for (std::size_t i = 0; i < pary.size(); ++i) {
        const auto& p = przypadki[i];
        EXPECT_EQ(std::tuple(wyniki[i].status, wyniki[i].przezMaske, wyniki[i].bledneDane),
                  std::tuple(p.status, p.przezMaske, p.bledneDane))
            << p.nip << " " << p.konto;
    }
    EXPECT_EQ(sprawdz(*m, pary[2]).status, Status::Czynny) << "one pair alone";
}

// A file is read whatever the order of its parts, skipping what it does not
// know, digests in capitals too; a broken one is refused and the day's store
// loaded before stays.
TEST_F(MagazynTestowy, TheFileIsReadWhateverTheOrderOfItsPartsAndABrokenOneIsRefused) {
    const std::string json =
        "{\"inne\": {\"a\": [1, 2.5e3, true, null, {\"b\": \"x\\\"y\"}]},\n \"maski\": [],\n"
        "\"skrotyPodatnikowCzynnych\": [\"" +
        QString::fromStdString(plik().skrot(kCzynny)).toUpper().toStdString() +
        "\"],\n\"skrotyPodatnikowZwolnionych\": [],\n"
        "\"naglowek\": {\"liczbaTransformacji\": 3, \"dataGenerowaniaDanych\": \"20260707\"}}";
    EXPECT_EQ(bladWczytania(json), QString());
    EXPECT_EQ(sprawdz(*Magazyn::otworz(QDate(2026, 7, 7)), Para{kCzynny.first, kCzynny.second}).status, Status::Czynny);

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
        {dobry + "}", "po końcu danych"},
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

    std::size_t doZrobienia = 0;  // what the last report said was left to hash
    bool dalej = false;
    const auto postep = [&](std::size_t zrobione, std::size_t wszystkie) {
        doZrobienia = wszystkie - zrobione;
        return dalej;
    };
    EXPECT_FALSE(sprawdz(*m, pary, postep));
    EXPECT_EQ(doZrobienia, 20u);

    dalej = true;
    const auto pierwsze = sprawdz(*m, pary, postep);
    ASSERT_TRUE(pierwsze);
    EXPECT_EQ(doZrobienia, 0u);
    ASSERT_EQ(pierwsze->size(), pary.size());
    for (std::size_t i = 0; i < 20; ++i)
        EXPECT_EQ((*pierwsze)[i].status, i % 2 == 0 ? Status::Czynny : Status::Brak) << i;
    EXPECT_EQ((*pierwsze)[20].status, Status::Czynny);
    EXPECT_TRUE((*pierwsze)[21].bledneDane);

    doZrobienia = 99;
    const auto drugie = sprawdz(*m, pary, postep);
    EXPECT_EQ(doZrobienia, 99u) << "nothing left to hash, nothing reported";
    ASSERT_TRUE(drugie);
    for (std::size_t i = 0; i < pary.size(); ++i) EXPECT_EQ((*drugie)[i].status, (*pierwsze)[i].status) << i;
}

// The digests hashed once for the day are kept beside its store: another
// workstation's check looks them up (masks too) with the same answers, while
// a file altered by a byte or kept for another day is ignored and made anew.
TEST_F(MagazynTestowy, DigestsKeptForTheDayAreLookedUpAndADamagedOrForeignFileIsNot) {
    PlikTestowy p = plik();
    p.data = "20260711";  // a day of its own: the session's digests are kept for the whole test program
    p.wczytaj();
    const auto m = Magazyn::otworz(QDate(2026, 7, 11));
    ASSERT_TRUE(m);
    const std::vector<Para> pary = {{kCzynny.first, kCzynny.second},
                                    {kWirtualny.first, kKontoWirtualne},
                                    {kOtwarty.first, "12345678901234999999567890"},
                                    {kCzynny.first, kKontoWirtualne},
                                    {"5512393472", kCzynny.second}};
    const auto wyniki = [](const std::vector<Wynik>& w) {
        std::string t;
        for (const Wynik& x : w)
            t += std::to_string(int(x.status)) + (x.przezMaske ? "m" : "") + (x.bledneDane ? "b" : "") + " ";
        return t;
    };
    const std::string bezPliku = wyniki(sprawdz(*m, pary));
    EXPECT_EQ(bezPliku, "1 1m 2m 0 0b ");
    const auto hashowane = [&] {
        zapomnijSkroty();  // another workstation
        const std::uint64_t przed = digestsComputed();
        const auto w = sprawdzZeSkrotamiDnia(*m, pary);
        EXPECT_EQ(wyniki(*w), bezPliku);
        return digestsComputed() - przed;
    };
    const std::uint64_t wszystkie = hashowane();
    EXPECT_GT(wszystkie, 3u);
    EXPECT_EQ(hashowane(), 0u);

    QFile plikSkrotow(sciezkaSkrotowDnia(QDate(2026, 7, 11)));
    ASSERT_TRUE(plikSkrotow.open(QIODevice::ReadWrite));
    QByteArray tresc = plikSkrotow.readAll();
    const qsizetype cyfra = tresc.indexOf('\n') + 40;
    tresc[cyfra] = tresc[cyfra] == '0' ? '1' : '0';
    ASSERT_TRUE(plikSkrotow.seek(0) && plikSkrotow.write(tresc) == tresc.size());
    plikSkrotow.close();
    EXPECT_TRUE(skrotyDnia(m->opis()).empty());
    EXPECT_EQ(hashowane(), wszystkie);
    EXPECT_EQ(hashowane(), 0u) << "written anew";

    // The same file under another day's name keys digests of its own day: not taken.
    ASSERT_TRUE(QFile::copy(sciezkaSkrotowDnia(QDate(2026, 7, 11)), sciezkaSkrotowDnia(QDate(2026, 7, 7))));
    OpisMagazynu inny = m->opis();
    inny.data = QDate(2026, 7, 7);
    EXPECT_TRUE(skrotyDnia(inny).empty());
    inny = m->opis();
    inny.rundy = 5000;
    EXPECT_TRUE(skrotyDnia(inny).empty());
}
