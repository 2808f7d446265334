#!/usr/bin/env python3
"""Writes db/demo.sql: the demo data of a primary school for fiscal year 2026.

The output is deterministic (fixed random seed), so running the script again
gives the same file. Run from anywhere: python3 db/tools/make_demo.py
"""
import datetime as dt
import random
from decimal import ROUND_HALF_UP, Decimal
from pathlib import Path

OUT = Path(__file__).resolve().parent.parent / "demo.sql"
rng = random.Random(2026)
D = dt.date
ADMIN = "ADMIN"
KASIA = "KASIA"
# The data describe the register as it stands on this day: nothing is entered later.
DEMO_TODAY = D(2026, 12, 4)

# ---------------------------------------------------------------- helpers


def money(x):
    return Decimal(str(x)).quantize(Decimal("0.01"), rounding=ROUND_HALF_UP)


def lit(v):
    """SQL literal of a Python value."""
    if v is None:
        return "NULL"
    if isinstance(v, (dt.date, dt.datetime)):
        return "'" + v.strftime("%Y-%m-%d") + "'"
    if isinstance(v, (int, Decimal)):
        return str(v)
    return "'" + str(v).replace("'", "''") + "'"


class Script:
    def __init__(self):
        self.lines = []

    def comment(self, text):
        self.lines += ["", "-- " + text]

    def insert(self, table, row):
        cols = ", ".join(row)
        vals = ", ".join(lit(v) for v in row.values())
        self.lines.append(f"INSERT INTO {table} ({cols}) VALUES ({vals});")

    def raw(self, text):
        self.lines.append(text)


def sort_code(prefix4, branch3):
    """Eight-digit bank sort code with its check digit (weights 3,9,7,1,3,9,7)."""
    digits = prefix4 + branch3
    total = sum(int(c) * w for c, w in zip(digits, (3, 9, 7, 1, 3, 9, 7)))
    return digits + str((10 - total % 10) % 10)


def nrb(prefix4, branch3, account16):
    """26-digit account number whose IBAN check (PL, mod 97) holds."""
    bban = sort_code(prefix4, branch3) + account16
    check = 98 - int(bban + "252100") % 97
    return f"{check:02d}{bban}"


def nrb_ok(text):
    digits = text.replace(" ", "").replace("-", "")
    return len(digits) == 26 and int(digits[2:] + "2521" + digits[:2]) % 97 == 1


def nip():
    """Random tax number with a valid check digit, written 123-456-78-90."""
    while True:
        digits = str(rng.randint(541, 959)) + random_digits(6)
        check = sum(int(c) * w for c, w in zip(digits, (6, 5, 7, 2, 3, 4, 5, 6, 7))) % 11
        if check < 10:
            d = digits + str(check)
            return f"{d[:3]}-{d[3:6]}-{d[6:8]}-{d[8:]}"


def styled(number, style):
    groups = [number[:2]] + [number[i:i + 4] for i in range(2, 26, 4)]
    if style == "blanks":
        return " ".join(groups)
    if style == "dashes":
        return "-".join(groups)
    return number


def random_digits(n):
    return "".join(rng.choice("0123456789") for _ in range(n))


def month_end(y, m):
    return (D(y + m // 12, m % 12 + 1, 1) - dt.timedelta(days=1))


# ------------------------------------------------------- banks (catalogue)

BANKS = {  # sort-code prefix -> bank name as the contractor register shows it
    "1020": "Powszechny Bank Komunalny",
    "1050": "Bank Śląski Handlowy S.A.",
    "1090": "Bank Zachodni Kredytowy S.A.",
    "1140": "Bank Miejski S.A.",
    "1240": "Bank Kasa Oszczędności S.A.",
    "8117": "Beskidzki Bank Spółdzielczy",
    "1010": "Bank Centralny O/Katowice",
    "1600": "Bank Pocztowy Ludowy S.A.",
}

# ------------------------------------------------------ budget classification

DZIALY = [(1, "750", "Administracja publiczna"),
          (2, "801", "Oświata i wychowanie"),
          (3, "854", "Edukacyjna opieka wychowawcza")]
ROZDZIALY = [(1, 1, "75085", "Wspólna obsługa jednostek samorządu"),
             (2, 2, "80101", "Szkoły podstawowe"),
             (3, 2, "80146", "Dokształcanie i doskonalenie nauczycieli"),
             (4, 2, "80148", "Stołówki szkolne i przedszkolne"),
             (5, 3, "85401", "Świetlice szkolne"),
             (6, 3, "85415", "Pomoc materialna dla uczniów")]
PARAGRAFY = [
    ("3020", "Wydatki osobowe niezaliczone do wynagrodzeń"),
    ("3240", "Stypendia dla uczniów"),
    ("4010", "Wynagrodzenia osobowe pracowników"),
    ("4110", "Składki na ubezpieczenia społeczne"),
    ("4120", "Składki na Fundusz Pracy i Fundusz Solidarnościowy"),
    ("4170", "Wynagrodzenia bezosobowe"),
    ("4210", "Zakup materiałów i wyposażenia"),
    ("4220", "Zakup środków żywności"),
    ("4240", "Zakup środków dydaktycznych i książek"),
    ("4260", "Zakup energii"),
    ("4270", "Zakup usług remontowych"),
    ("4280", "Zakup usług zdrowotnych"),
    ("4300", "Zakup usług pozostałych"),
    ("4360", "Opłaty z tytułu usług telekomunikacyjnych"),
    ("4410", "Podróże służbowe krajowe"),
    ("4430", "Różne opłaty i składki"),
    ("4440", "Odpisy na zakładowy fundusz świadczeń socjalnych"),
    ("4700", "Szkolenia pracowników"),
]
PAR_ID = {kod: i + 1 for i, (kod, _) in enumerate(PARAGRAFY)}
ROZ_BY_KOD = {r[2]: r for r in ROZDZIALY}
DZIAL_KOD = {d[0]: d[1] for d in DZIALY}

# Classified analytic accounts: chapter-paragraph pairs per company bank.
# Bank 1 is the expenditure account of sections 750 and 801, bank 2 the
# separate account of the day-room (section 854).
KLASYFIKACJA = {
    1: ["75085-4210", "75085-4300",
        "80101-3020", "80101-4010", "80101-4110", "80101-4120", "80101-4170",
        "80101-4210", "80101-4240", "80101-4260", "80101-4270", "80101-4280",
        "80101-4300", "80101-4360", "80101-4410", "80101-4430", "80101-4440",
        "80101-4700", "80146-4300", "80146-4410",
        "80148-4010", "80148-4210", "80148-4220", "80148-4260"],
    2: ["85401-4010", "85401-4110", "85401-4210", "85401-4220", "85401-4300",
        "85415-3240"],
}


def nazwa_par(pair):
    rozdzial, par = pair.split("-")
    return DZIAL_KOD[ROZ_BY_KOD[rozdzial][1]] + "-" + rozdzial + "-" + par


ALL_PAR = {nazwa_par(p) for pairs in KLASYFIKACJA.values() for p in pairs}
BANK_OF_PAR = {nazwa_par(p): b for b, pairs in KLASYFIKACJA.items() for p in pairs}

COST_ACCOUNT = {  # paragraph -> cost account of the invoice posting
    "4210": "401", "4220": "401", "4240": "401", "4260": "401",
    "4270": "402", "4280": "402", "4300": "402", "4360": "402", "4700": "402",
    "4010": "404", "4170": "404", "4110": "405", "4120": "405", "3020": "405",
    "4410": "409", "4430": "409", "4440": "405", "3240": "409",
}

# ------------------------------------------------------------- contractors
# kod, full name, short name, postal code, town, street, building, flat,
# highlighted, person, accounts [(sort prefix, style, default, active, accepted)],
# paragraphs (display names), amount range, invoice number pattern, invoice text
C = [
    ("K0001", 'Hurtownia Papiernicza "Ołówek" Sp. z o.o.', "Ołówek", "34-300", "Żywiec",
     "ul. Dworcowa", "23", "", 0, 0,
     [("1050", "blanks", 1, 1, 1)],
     ["801-80101-4210", "750-75085-4210", "854-85401-4210"], (123.45, 2400),
     "FV/{n}/{y}", "Materiały biurowe i papier ksero"),
    ("K0002", 'Zakład Energetyczny "Beskidy" S.A.', "ZE Beskidy", " 43-300", "Bielsko-Biała",
     "ul. Piastowska", "12", None, 0, 0,
     [("1020", "plain", 1, 1, 1), ("1240", "dashes", 0, 1, 1)],
     ["801-80101-4260", "801-80148-4260"], (850, 9200),
     "E/{y}/{m:02d}/{n:05d}", "Energia elektryczna"),
    ("K0003", "PHU Łukasz Żółkiewski", "PHU Żółkiewski", "34-340", "Jeleśnia",
     "ul. Krakowska", "8", "2", 0, 0,
     [("8117", "blanks", 1, 1, 0)],
     ["801-80101-4210", "801-80101-4270"], (180, 6400),
     "{n}/{m:02d}/{y}", "Materiały budowlane i drobne naprawy"),
    ("K0004", "Bar O'Neill s.c. Ewa i Marek Szostak", "Bar O'Neill", "34-300", "Żywiec",
     "Rynek", "3", None, 0, 0,
     [("1140", "plain", 1, 1, 1)],
     ["801-80148-4220", "801-80101-4300"], (240, 3800),
     "FS {n:04d}/{y}", "Posiłki dla uczniów i catering"),
    ("K0005", 'Przedsiębiorstwo Wodociągów i Kanalizacji "Żywiec" Sp. z o.o.', "PWiK Żywiec",
     "34-300", "Żywiec", "ul. Kabaty", "11", "", 0, 0,
     [("1240", "plain", 1, 1, 1), ("8117", "dashes", 0, 1, 0)],
     ["801-80101-4260", "801-80148-4260"], (310, 2900),
     "W/{n:05d}/{y}", "Dostawa wody i odprowadzanie ścieków"),
    ("K0006", "Miejskie Przedsiębiorstwo Gospodarki Komunalnej Sp. z o.o.", "MPGK Żywiec",
     "34-300", "Żywiec", "ul. Zwardońska", "78", "", 0, 0,
     [("1020", "blanks", 1, 1, 1)],
     ["801-80101-4300"], (420, 1900),
     "MPGK/{n}/{m:02d}/{y}", "Odbiór odpadów komunalnych"),
    ("K0007", "Zakład Ubezpieczeń Społecznych Oddział w Bielsku-Białej", "ZUS", " 43-300",
     "Bielsko-Biała", "ul. 3 Maja", "11", None, 0, 0,
     [("1010", "blanks", 1, 1, 1)],
     ["801-80101-4110"], (0, 0), None, None),
    ("K0008", 'Wydawnictwo Szkolne "Elementarz" Sp. z o.o.', "Wyd. Elementarz", "31-564", "Kraków",
     "al. Pokoju", "44", "105", 0, 0,
     [("1090", "plain", 1, 1, 1)],
     ["801-80101-4240"], (260, 7800),
     "FA/{n:05d}/{m:02d}/{y}", "Podręczniki i pomoce dydaktyczne"),
    ("K0009", 'Firma Handlowa "Świerk" Grzegorz Ślusarczyk', "FH Świerk", "34-350",
     "Węgierska Górka", "ul. Zielona", "5", "", 0, 0,
     [("8117", "plain", 1, 0, 1), ("1600", "blanks", 0, 1, 0)],
     ["801-80101-4210", "801-80148-4210"], (150, 3100),
     "F {n}/{y}", "Środki czystości"),
    ("K0010", "Telekomunikacja Beskidzka Sp. z o.o.", "TelBesk", " 43-300", "Bielsko-Biała",
     "ul. Warszawska", "153", None, 0, 0,
     [("1050", "plain", 1, 1, 1)],
     ["801-80101-4360"], (189.99, 640),
     "TB/{y}/{n:06d}", "Usługi telekomunikacyjne i internet"),
    ("K0011", "Gabinet Medycyny Pracy lek. med. Anna Ćwiklińska", "Gabinet Ćwiklińska",
     "34-300", "Żywiec", "ul. Świętokrzyska", "16", "4", 0, 0,
     [("1140", "dashes", 1, 1, 1)],
     ["801-80101-4280"], (120, 980),
     "{n}/{y}", "Badania okresowe pracowników"),
    ("K0012", 'Zakład Remontowo-Budowlany "Dach-Bud" Józef Kłos', "Dach-Bud", "34-325",
     "Łodygowice", "ul. Piłsudskiego", "60", "", 1, 0,
     [("8117", "blanks", 1, 1, 1), ("1020", "plain", 0, 1, 0), ("1090", "dashes", 0, 0, 0)],
     ["801-80101-4270"], (2400, 25000),
     "FV {n}/{m:02d}/{y}", "Roboty remontowe w budynku szkoły"),
    ("K0013", 'Piekarnia "Kłosek" s.c.', "Piekarnia Kłosek", "34-324", "Lipowa",
     "ul. Bielska", "19", None, 0, 0,
     [("8117", "plain", 1, 1, 1)],
     ["801-80148-4220", "854-85401-4220"], (130, 1450),
     "{n}/P/{y}", "Pieczywo dla stołówki"),
    ("K0014", 'Hurtownia Spożywcza "Babia Góra" Sp.j.', "HS Babia Góra", "34-340", "Jeleśnia",
     "ul. Mickiewicza", "2", "", 0, 0,
     [("1240", "blanks", 1, 1, 1)],
     ["801-80148-4220", "854-85401-4220"], (600, 5600),
     "HS/{n}/{m:02d}/{y}", "Artykuły spożywcze dla stołówki"),
    ("K0015", "Jan Kowalski", "Kowalski Jan", "34-300", "Żywiec",
     "ul. Leśna", "4", "7", 0, 1,
     [("1020", "plain", 1, 1, 1)],
     ["801-80101-4010"], (0, 0), None, None),
    ("K0016", "Małgorzata Wiśniewska", "Wiśniewska Małgorzata", "34-331", "Świnna",
     "ul. Szkolna", "27", None, 0, 1,
     [("1140", "blanks", 1, 1, 1)],
     ["854-85401-4010"], (0, 0), None, None),
    ("K0017", "Ośrodek Doskonalenia Nauczycieli w Bielsku-Białej", "ODN Bielsko", " 43-300",
     "Bielsko-Biała", "ul. Legionów", "26", "", 0, 0,
     [("1240", "plain", 1, 1, 1)],
     ["801-80146-4300", "801-80101-4700"], (150, 2200),
     "ODN/{n}/{y}", "Szkolenie rady pedagogicznej"),
    ("K0018", 'Biuro Rachunkowe "Bilans" Ewa Nowak', "BR Bilans", "34-300", "Żywiec",
     "ul. Komisji Edukacji Narodowej", "10", "3", 0, 0,
     # Not accepted yet: with acceptance on, set 1 waits for a second person.
     [("1090", "blanks", 1, 1, 0)],
     ["750-75085-4300"], (600, 2460),
     "{n}/{m:02d}/{y}/BR", "Obsługa płacowa i kadrowa"),
    ("K0019", '"Komputery i Serwis" Piotr Mazur', "KiS Mazur", "34-300", "Żywiec",
     "ul. Kopernika", "1", "12", 0, 0,
     [("1050", "dashes", 1, 1, 1), ("1140", "plain", 0, 1, 1)],
     ["801-80101-4210", "801-80101-4300"], (90, 7400),
     "FV/{y}/{n:04d}", "Sprzęt komputerowy i serwis"),
    ("K0020", 'Sklep Sportowy "Olimpijczyk" Andrzej Dąbrowski', "Olimpijczyk", "34-300", "Żywiec",
     "ul. Sienkiewicza", "9", None, 0, 0,
     [("1600", "plain", 1, 1, 0)],
     ["801-80101-4210", "801-80101-4240"], (140, 3600),
     "S/{n}/{y}", "Sprzęt sportowy"),
    ("K0021", "Zakład Usług Kominiarskich Stanisław Gąsienica", "Kominiarz Gąsienica", "34-360",
     "Milówka", "ul. Dworcowa", "31", "", 0, 0,
     [("8117", "short", 1, 1, 0)],
     ["801-80101-4300"], (180, 650),
     "{n}/{y}", "Przegląd przewodów kominowych"),
    ("K0022", 'Przedsiębiorstwo Transportowe "Beskid-Trans" Sp. z o.o.', "Beskid-Trans",
     "34-300", "Żywiec", "ul. Handlowa", "14", "  ", 1, 0,
     [("1020", "dashes", 1, 1, 1)],
     ["801-80101-4300", "854-85401-4300"], (450, 4800),
     "BT/{n:03d}/{y}", "Przewóz uczniów"),
    ("K0023", 'Apteka "Pod Orłem" mgr farm. Zofia Łęcka', "Apteka Pod Orłem", "34-300", "Żywiec",
     "Rynek", "21", None, 0, 0,
     [("1240", "plain", 1, 1, 1)],
     ["801-80101-4210"], (85.5, 620),
     "{n}/A/{y}", "Wyposażenie apteczek"),
    ("K0024", 'PPHU "Żaczek" Meble Szkolne Sp. z o.o.', "Żaczek Meble", "40-203", "Katowice",
     "ul. Żelazna", "3", "", 0, 0,
     [("1050", "blanks", 1, 1, 1)],
     ["801-80101-4210", "801-80148-4210"], (1800, 18500),
     "FVS/{n:04d}/{y}", "Meble szkolne"),
    ("K0025", "Gminny Ośrodek Kultury w Łodygowicach", "GOK Łodygowice", "34-325", "Łodygowice",
     "ul. Piłsudskiego", "75", None, 0, 0,
     [("8117", "plain", 1, 1, 1)],
     ["801-80101-4300"], (200, 1500),
     "GOK/{n}/{y}", "Wynajem sali i warsztaty"),
    ("K0026", 'Zakład Oczyszczania Miasta "Eko-Żywiec" Sp. z o.o.', "Eko-Żywiec", "34-300",
     "Żywiec", "ul. Fabryczna", "7", "", 0, 0,
     [("1020", "plain", 1, 1, 1)],
     ["801-80101-4300"], (260, 1300),
     "EZ/{m:02d}/{n:04d}/{y}", "Wywóz nieczystości"),
    ("K0027", "Krzysztof Jabłoński", "Jabłoński Krzysztof", "34-322", "Gilowice",
     "ul. Górska", "50", None, 0, 1,
     [("1600", "plain", 1, 1, 1)],
     ["801-80101-4170"], (0, 0), None, None),
    ("K0028", "Anna Zielińska", "Zielińska Anna", "34-381", "Radziechowy",
     "ul. Słoneczna", "3", "1", 0, 1,
     [("1090", "plain", 1, 1, 0)],
     ["801-80148-4010"], (0, 0), None, None),
    ("K0029", 'Drukarnia "Grafika" s.c. Tomasz i Beata Wójcik', "Drukarnia Grafika", "34-300",
     "Żywiec", "ul. Browarna", "88", None, 0, 0,
     [("1140", "blanks", 1, 1, 1)],
     ["801-80101-4300", "801-80101-4210"], (160, 2750),
     "{n}/G/{y}", "Druk dyplomów i materiałów szkolnych"),
    ("K0030", "Urząd Skarbowy w Żywcu", "US Żywiec", "34-300", "Żywiec",
     "ul. Kościuszki", "27", None, 0, 0,
     [("1010", "plain", 1, 1, 1)],
     ["801-80101-4010"], (0, 0), None, None),
]
PERSON_WAGES = {  # imported payroll: contractor -> (paragraph, net pay range)
    "K0015": ("801-80101-4010", (4200, 5600)),
    "K0016": ("854-85401-4010", (3900, 4800)),
    "K0027": ("801-80101-4170", (1200, 2400)),
    "K0028": ("801-80148-4010", (3300, 3900)),
}

# ------------------------------------------------------------------ build

s = Script()
s.raw("/*\n  Demo data: Szkoła Podstawowa nr 3 im. Marii Konopnickiej w Żywcu,\n"
      "  fiscal year 2026. Generated by tools/make_demo.py; edit the script,\n"
      "  not this file.\n*/")

max_id = {}


def note_id(gen, value):
    max_id[gen] = max(max_id.get(gen, 0), value)


# Company, version, users ---------------------------------------------------
s.comment("Company record")
s.insert("SU_FIRMA", dict(
    ID=1, NAZWA="Szkoła Podstawowa nr 3 im. Marii Konopnickiej w Żywcu",
    NAZWA2="5531879246", NIP="553-187-92-46", REGON="072451838", MIASTO="Żywiec",
    ULICA="ul. Kościuszki", KOD_POCZT="34-300", POCZTA="Żywiec", BUDYNEK="12", LOKAL="",
    GMINA="Żywiec", POWIAT="żywiecki", WOJEWODZTWO="śląskie", TELEFON="33 861 24 17",
    EMAIL="sekretariat@sp3.zywiec.example"))
s.insert("SU_WERSJA", dict(ID=1, WERSJA="4.1.12.05", DATA_AKTUALIZACJI=D(2026, 9, 1)))

s.comment("Users and their rights (OKNO_AWARIA guards batch withdrawal and deleting realized transfers)")
users = [(1, "ADMIN", "Administrator systemu", 1), (2, "KASIA", "Katarzyna Nowicka", 0)]
for uid, login, name, adm in users:
    s.insert("SU_UZYTKOWNICY", dict(ID=uid, UZYTKOWNIK=login, IMIE_NAZWISKO=name,
                                    ADMINISTRATOR=adm, AKTYWNY=1))
note_id("GEN_SU_UZYTKOWNICY_ID", len(users))
rights = [("ADMIN", "PRZELEWY", 1), ("ADMIN", "PRZELEWY_PARAMETRY", 1),
          ("ADMIN", "PRZELEWY_AKCEPTACJA", 1), ("ADMIN", "OKNO_AWARIA", 1),
          ("KASIA", "PRZELEWY", 1), ("KASIA", "PRZELEWY_PARAMETRY", 0),
          ("KASIA", "PRZELEWY_AKCEPTACJA", 0), ("KASIA", "OKNO_AWARIA", 0)]
for i, (login, op, ok) in enumerate(rights, 1):
    s.insert("SU_UPRAWNIENIA", dict(ID=i, UZYTKOWNIK=login, OPERACJA=op, DOZWOLONE=ok))
note_id("GEN_SU_UPRAWNIENIA_ID", len(rights))

# Ledger dictionaries ------------------------------------------------------
s.comment("Fiscal year and accounting periods")
s.insert("FK_ROK_OBRACHUNKOWY", dict(ID=0, ROK=2026, DATA_OD=D(2026, 1, 1),
                                     DATA_DO=D(2026, 12, 31), ZAMKNIETY=0))
MIESIACE = ["styczeń", "luty", "marzec", "kwiecień", "maj", "czerwiec", "lipiec",
            "sierpień", "wrzesień", "październik", "listopad", "grudzień"]
for m in range(1, 13):
    s.insert("FK_OKRESY", dict(ID=m, ROK=2026, MIESIAC=m, NAZWA=f"{MIESIACE[m - 1]} 2026",
                               DATA_OD=D(2026, m, 1), DATA_DO=month_end(2026, m),
                               ZAMKNIETY=1 if m < 10 else 0))
note_id("GEN_FK_OKRESY_ID", 12)

s.comment("Ledger document codes")
KODY = [(1, "WB", "Wyciągi bankowe"), (2, "PK", "Polecenia księgowania"),
        (3, "PRZ", "Przelewy"), (4, "FZ", "Faktury zakupu"), (5, "RK", "Raporty kasowe")]
KOD_ID = {k: i for i, k, _ in KODY}
for i, k, o in KODY:
    s.insert("FK_KODY_DOK", dict(ID=i, KOD=k, OPIS=o))
note_id("GEN_FK_KODY_DOK_ID", len(KODY))

s.comment("Budget classification")
for i, k, n in DZIALY:
    s.insert("FK_DZIALY", dict(ID=i, KOD=k, NAZWA=n))
for i, d, k, n in ROZDZIALY:
    s.insert("FK_ROZDZIALY", dict(ID=i, ID_DZIALU=d, KOD=k, NAZWA=n))
for kod, n in PARAGRAFY:
    s.insert("FK_PARAGRAFY", dict(ID=PAR_ID[kod], KOD=kod, NAZWA=n))
note_id("GEN_FK_DZIALY_ID", len(DZIALY))
note_id("GEN_FK_ROZDZIALY_ID", len(ROZDZIALY))
note_id("GEN_FK_PARAGRAFY_ID", len(PARAGRAFY))

# Parameters ---------------------------------------------------------------
s.comment("Parameters")
s.insert("RE_PARAMETRY", dict(
    ID=1, KSIEGOWAC_PRZELEWY=1, SYNTETYKA_PRZELEWOW="201", ID_KODU_DOK_PRZELEWU=KOD_ID["PRZ"],
    CZY_PRZELEW=1, SCIEZKA_IMPORTU_PRZELEWOW="{DANE}/import", TRESC_PRZELEWOW="Faktura ",
    TRESC_PRZELEWOW_GRUPOWANYCH="Faktury", JAKA_TRESC_PRZELEWOW_FZ="1",
    CZY_AKCEPTACJA_KONTA_BANKOWEGO=0, PROCENT_ROZLICZANY=Decimal("100.0000"),
    STAWKA_PODATKU=Decimal("23.0000"), DATA_ZAMKNIECIA=D(2026, 9, 30), JAKA_TRESC="1",
    MODUL_IMPORTU_FAKTUR="0", JAKA_DATA_WPROW_DOKFK="1", JAKI_OPIS_W_DOKFK="1",
    CZY_NR_WLASNY_FZ=1, CZY_NR_WLASNY_FS=0, CZY_DRUK_VAT_ZW=0, CZY_REJESTR_KASOWY=0,
    CZY_PZ_Z_GM=0, ID_KODU_DOK_KASOWEGO=KOD_ID["RK"], CZY_ODSWIEZAC=1,
    ID_KODU_DOK_ODCHYLEN=KOD_ID["PK"], ID_CECHY_TOWAROW=0, JEDEN_DOK_DLA_FAKTUR=0,
    CZY_KOD_DOK_KASOWEGO_ZREJESTRU=0, KONTO_ODCHYLEN_PZ="", KONTO_ODCHYLEN_FAKT="",
    SCIEZKA_IMPORTU_FAKTUR="{DANE}/import"))
s.insert("FK_PARAMETRY", dict(ID=1, POKAZ_PARAGRAF=1, SEPARATOR_KONT="-",
                              KONTROLA_BILANSU=1, AUTONUMERACJA_DOK=1))
s.insert("ET_PARAMETRY", dict(ID=1, POKAZ_PARAGRAF=0, AUTO_KOD_FK=1, PREFIKS_KOD_FK="K",
                              DLUGOSC_KOD_FK=5))

# Company banks --------------------------------------------------------------
s.comment("Company banks (ID 0 is the placeholder row of the suite)")
ET_BANKI = [  # id, sort prefix, style, name, description, procedure, folder, grouping, paragraph
    (1, "1020", "blanks", "Powszechny Bank Komunalny", "Rachunek bieżący wydatków (801, 750)",
     1, "pbk", 0, 0),
    (2, "8117", "dashes", "Beskidzki Bank Spółdzielczy", "Rachunek wydatków świetlicy (854)",
     2, "bbs", 0, 1),
    (3, "1050", "plain", "Bank Śląski Handlowy S.A.", "Rachunek zakładowego funduszu socjalnego",
     3, "bsh", 0, 0),
    (4, "1090", "plain", "Bank Zachodni Kredytowy S.A.", "Rachunek sum depozytowych",
     4, "bzk", 0, 0),
    (5, "1240", "plain", "Bank Kasa Oszczędności S.A.", "Rachunek dochodów",
     5, "bko", 0, 0),
    (6, "1140", "plain", "Bank Miejski S.A.", "Rachunek płatności zbiorczych",
     1, "bm", 1, 0),
]
ADRESY = {1: "ul. Zamkowa 2, 34-300 Żywiec", 2: "ul. Kościuszki 45, 34-300 Żywiec",
          3: "ul. Dworcowa 8, 34-300 Żywiec", 4: "Rynek 14, 34-300 Żywiec",
          5: "pl. Słowiański 1, 43-300 Bielsko-Biała", 6: "ul. Wesoła 3, 34-300 Żywiec"}
s.insert("ET_BANKI", dict(ID=0, KONTO="", KOD_FK="", NAZWA="", OPIS="(brak banku)", ADRES="",
                          DODAL=ADMIN, DATA_DODANIA=D(2026, 1, 2), PROCEDURA=0,
                          SCIEZKA_PRZELEWOW="", GRUPOWANIE=0, OBSLUGA_PARAGRAF=0))
BANK_NAME = {}
for bid, pfx, style, name, opis, proc, folder, grp, par in ET_BANKI:
    number = nrb(pfx, "013", "0000" + random_digits(12))
    assert nrb_ok(number)
    BANK_NAME[bid] = name
    s.insert("ET_BANKI", dict(
        ID=bid, KONTO=styled(number, style), KOD_FK=f"130-{bid}", NAZWA=name, OPIS=opis,
        ADRES=ADRESY[bid], DODAL=ADMIN, DATA_DODANIA=D(2026, 1, 2), PROCEDURA=proc,
        SCIEZKA_PRZELEWOW="{DANE}/przelewy/" + folder, GRUPOWANIE=grp, OBSLUGA_PARAGRAF=par))
note_id("GEN_ET_BANKI_ID", len(ET_BANKI))

# Contractors and their accounts --------------------------------------------
s.comment("Contractors")
KONTR = {}      # kod -> dict(id, skrot, accounts=[(id, active)], ...)
NIPS = {}       # kod -> NIP as written, None for people and two firms without one
account_rows = []
acc_id = 0
for cid, (kod, pelna, skrot, kp, miasto, ulica, bud, lok, wyr, osoba, accounts,
          pars, rng_amount, pattern, opis) in enumerate(C, 1):
    added = D(2026, 1, 5) + dt.timedelta(days=rng.randint(0, 200))
    NIPS[kod] = None if osoba or kod in ("K0007", "K0030") else nip()
    s.insert("ET_KONTAKT", dict(
        ID=cid, PELNA=pelna, SKROT=skrot, KOD_FK=kod, KOD_POCZT=kp, MIEJSCOWOSC=miasto,
        ULICA=ulica, BUDYNEK=bud, LOKAL=lok, WYROZNIONY=wyr,
        NIP=NIPS[kod],
        TELEFON=f"33 {rng.randint(800, 899)} {rng.randint(10, 99)} {rng.randint(10, 99)}",
        OSOBA_FIZYCZNA=osoba, DODAL=ADMIN, DATA_DODANIA=added))
    accs = []
    for pfx, style, dom, akt, zaak in accounts:
        acc_id += 1
        number = nrb(pfx, f"{rng.randint(1, 999):03d}", random_digits(16))
        assert nrb_ok(number)
        text = number[2:21] if style == "short" else styled(number, style)
        if style == "short":  # typed in with a part missing
            text = " ".join(text[i:i + 4] for i in range(0, len(text), 4))[:24]
        account_rows.append(dict(
            ID=acc_id, ID_KONTR=cid, KONTO=text, NAZWA=BANKS[pfx], DOMYSLNE=dom, AKTYWNE=akt,
            ZAAKCEPTOWANE=zaak, ZAAKCEPTOWAL=ADMIN if zaak else None,
            DATA_AKCEPTACJI=added + dt.timedelta(days=3) if zaak else None,
            # Typed in by the clerk, accepted by the administrator: four eyes.
            DODAL=KASIA, DATA_DODANIA=added, KONTO_WPISAL=KASIA, DATA_WPISANIA_KONTA=added))
        accs.append((acc_id, dom, akt))
    KONTR[kod] = dict(id=cid, skrot=skrot, accounts=accs, pars=pars, amount=rng_amount,
                      pattern=pattern, opis=opis, n=rng.randint(40, 400))
note_id("GEN_ET_KONTAKT_ID", len(C))

s.comment("Bank accounts of the contractors")
for row in account_rows:
    assert len(row["KONTO"]) >= 26 or row["ID_KONTR"] == KONTR["K0021"]["id"]
    s.insert("ET_BANK_KONTO", row)
note_id("GEN_ET_BANK_KONTO_ID", acc_id)

# Chart of accounts ----------------------------------------------------------
s.comment("Chart of accounts: the general account of a bank comes before its analytic accounts")
plan = []


def konto(symbol_full, nazwa, **kw):
    row = dict(ID=len(plan) + 1, ID_NADRZEDNEGO=kw.pop("parent", None),
               SYMBOL=symbol_full.split("-")[-1], NAZWA_WYSWIETLANA=symbol_full, NAZWA=nazwa,
               POZIOM=symbol_full.count("-") + 1, TYP=kw.pop("typ", "A"),
               SLOWNIK_NALEZY=kw.pop("slownik", 0), BANK_ID=kw.pop("bank", None),
               ID_KONTRAHENTA=kw.pop("kontr", None), DZIAL_ID=None, ROZDZIAL_ID=None,
               PARAGRAF_ID=None, PARAGRAF_KOSZT_ID=None, AKTYWNE=1)
    row.update(kw)
    plan.append(row)
    return row["ID"]


k130 = konto("130", "Rachunek bieżący jednostki")
for bid, *_rest in ET_BANKI:
    general = konto(f"130-{bid}", BANK_NAME[bid], parent=k130, slownik=1, bank=bid)
    for pair in KLASYFIKACJA.get(bid, []):
        rozdzial, par = pair.split("-")
        r = ROZ_BY_KOD[rozdzial]
        konto(f"130-{bid}-{pair}", f"{BANK_NAME[bid][:30]} - {nazwa_par(pair)}",
              parent=general, slownik=1, bank=bid, DZIAL_ID=r[1], ROZDZIAL_ID=r[0],
              PARAGRAF_ID=PAR_ID[par], PARAGRAF_KOSZT_ID=PAR_ID[par])
k201 = konto("201", "Rozrachunki z odbiorcami i dostawcami", typ="R")
for kod, info in KONTR.items():
    konto(f"201-{kod}", info["skrot"], parent=k201, typ="R", slownik=2, kontr=info["id"])
for sym, nazwa in [("401", "Zużycie materiałów i energii"), ("402", "Usługi obce"),
                   ("404", "Wynagrodzenia"), ("405", "Ubezpieczenia społeczne i inne świadczenia"),
                   ("409", "Pozostałe koszty rodzajowe")]:
    konto(sym, nazwa, typ="K")
for row in plan:
    s.insert("FK_PLANKONT", row)
note_id("GEN_FK_PLANKONT_ID", len(plan))
PLAN_SYMBOLS = {r["NAZWA_WYSWIETLANA"] for r in plan}

# Transfers --------------------------------------------------------------------
transfers = []   # dicts of PR_PRZELEWY columns plus helper keys starting with "_"
invoices = []    # DOK_FZ rows


def new_invoice_number(kod, when):
    info = KONTR[kod]
    info["n"] += rng.randint(1, 9)
    return info["pattern"].format(n=info["n"], y=when.year, m=when.month)


def amount_for(kod):
    lo, hi = KONTR[kod]["amount"]
    value = rng.uniform(lo, hi)
    if rng.random() < 0.2:
        value = round(value, -1) or value
    return money(value)


def account_for(kod, prefer_active=False):
    accs = KONTR[kod]["accounts"]
    default = next(a for a in accs if a[1] == 1)
    if prefer_active and not default[2]:
        return next(a for a in accs if a[2])[0]
    return default[0]


def transfer(kod, due, value, *, origin, nr, title, par, issued=None, added=None,
             account=None):
    issued = issued or due - dt.timedelta(days=rng.choice([14, 14, 21, 30]))
    added = min(added or issued + dt.timedelta(days=rng.randint(1, 5)), DEMO_TODAY)
    issued = min(issued, added)
    row = dict(ID=None, ID_KONTRAHENTA=KONTR[kod]["id"],
               ID_KONTA_BANK=account or account_for(kod), ID_FAKTURY=None, NR_FAKTURY=nr,
               DATA_WYSTAWIENIA=issued, TERMIN_ZAPLATY=due, TRESC1=title, DODAL=ADMIN,
               DATA_DODANIA=added, ZMIENIL=None, DATA_ZMIANY=None, DATA_REALIZACJI=None,
               KOLEJNY=None, WPROWADZONY=origin,
               ZAZNACZ=None if origin == 3 else 0, ZAZNACZ2=None if origin == 3 else 0,
               ZAZNACZ3=None if origin == 3 else 0, WN="201-" + kod, WARTOSC_CALA=value,
               WARTOSC_WYPLACONA=Decimal("0.00"), WARTOSC=value, PARAGRAF=par,
               _kod=kod)
    transfers.append(row)
    return row


def invoice_transfer(kod, due, **kw):
    issued = min(due - dt.timedelta(days=rng.choice([14, 14, 21, 30])),
                 DEMO_TODAY - dt.timedelta(days=rng.randint(1, 6)))
    nr = new_invoice_number(kod, issued)
    par = kw.pop("par", None) or rng.choice(KONTR[kod]["pars"])
    value = kw.pop("value", None) or amount_for(kod)
    return transfer(kod, due, value, origin=0, nr=nr, title="Faktura " + nr, par=par,
                    issued=issued, **kw)


INVOICE_KODS = [k for k, v in KONTR.items() if v["pattern"]]
INVOICE_WEIGHTS = {"K0002": 3, "K0005": 2, "K0014": 3, "K0013": 3, "K0001": 3, "K0004": 2,
                   "K0012": 1, "K0024": 1, "K0021": 1}

# Batches: (date, letter, bank, posted as document)
BATCHES = [(D(2025, 12, 19), "A", 1, False), (D(2026, 10, 14), "A", 1, True),
           (D(2026, 10, 28), "A", 1, True), (D(2026, 11, 20), "A", 1, True),
           (D(2026, 11, 20), "B", 6, True), (D(2026, 11, 27), "A", 2, False),
           (D(2026, 12, 1), "A", 6, False)]


def zus_and_tax(y, m):
    """Monthly typed-in transfers: social insurance and income tax advance."""
    due_zus = D(y + m // 12, m % 12 + 1, 15)
    due_us = D(y + m // 12, m % 12 + 1, 20)
    period = f"{m:02d}/{y}"
    made = D(y + m // 12, m % 12 + 1, 5)
    rows = [
        transfer("K0007", due_zus, money(rng.uniform(16800, 19800)), origin=1,
                 nr=f"DRA {period}", title=f"Składki na ubezpieczenia społeczne za {period}",
                 par="801-80101-4110", issued=made, added=made),
        transfer("K0007", due_zus, money(rng.uniform(1900, 2400)), origin=1,
                 nr=f"DRA FP {period}", title=f"Fundusz Pracy i FS za {period}",
                 par="801-80101-4120", issued=made, added=made),
        transfer("K0030", due_us, money(rng.uniform(6100, 7900)), origin=1,
                 nr=f"PIT-4 {period}",
                 title=f"Zaliczka PIT-4 za {period}: podatek od wynagrodzeń pracowników "
                       f"Szkoły Podstawowej nr 3 w Żywcu",
                 par="801-80101-4010", issued=made, added=made),
    ]
    return rows


def wages(y, m):
    """Payroll imported from the payroll program (record 110 files)."""
    due = month_end(y, m) - dt.timedelta(days=3)
    made = due - dt.timedelta(days=4)
    rows = []
    for kod, (par, (lo, hi)) in PERSON_WAGES.items():
        lp = f"LP/{m:02d}/{y}"
        rows.append(transfer(kod, due, money(rng.uniform(lo, hi)), origin=3, nr=lp[:5],
                             title=f"Wynagrodzenie za {m:02d}/{y}", par=par,
                             issued=made, added=made))
    return rows


def delegation(kod, due, no):
    value = money(rng.uniform(38, 420))
    made = due - dt.timedelta(days=10)
    return transfer(kod, due, value, origin=1, nr=f"DEL {no}/2026",
                    title=f"Zwrot kosztów podróży służbowej - polecenie wyjazdu nr {no}/2026 "
                          f"(szkolenie w Bielsku-Białej, przejazd własnym samochodem)",
                    par="801-80146-4410" if kod == "K0015" else "801-80101-4410",
                    issued=made, added=made)


# Realized batches --------------------------------------------------------------
realized_plan = {b[:2]: [] for b in BATCHES}   # (date, letter) -> [(transfer, amount)]


def pay(batch, row, amount=None):
    amount = money(amount if amount is not None else row["WARTOSC"])
    realized_plan[batch].append((row, amount))
    row["WARTOSC_WYPLACONA"] += amount
    row["WARTOSC"] = row["WARTOSC_CALA"] - row["WARTOSC_WYPLACONA"]
    if row["WARTOSC"] == 0:
        row["DATA_REALIZACJI"], row["KOLEJNY"] = batch


def paid_invoices(batch, kods, **kw):
    day = batch[0]
    for kod in kods:
        due = day + dt.timedelta(days=rng.randint(-4, 9))
        row = invoice_transfer(kod, due, **kw)
        if row["DATA_DODANIA"] >= day:
            row["DATA_DODANIA"] = day - dt.timedelta(days=1)
            row["DATA_WYSTAWIENIA"] = min(row["DATA_WYSTAWIENIA"], row["DATA_DODANIA"])
        pay(batch, row)


B_OLD, B_OCT, B_OCT_WAGES, B_NOV_A, B_NOV_B, B_NOV_27, B_DEC = (b[:2] for b in BATCHES)

paid_invoices(B_OLD, ["K0002", "K0026", "K0012"])
for r in zus_and_tax(2026, 9):
    pay(B_OCT, r)
paid_invoices(B_OCT, ["K0001", "K0010", "K0024"])
for r in wages(2026, 10):
    pay(B_OCT_WAGES, r)
for r in zus_and_tax(2026, 10):
    pay(B_NOV_A, r)
paid_invoices(B_NOV_A, ["K0005", "K0008", "K0011", "K0018", "K0019"])
paid_invoices(B_NOV_B, ["K0012", "K0012", "K0012"], par="801-80101-4270")
paid_invoices(B_NOV_B, ["K0013", "K0013"], par="801-80148-4220")
paid_invoices(B_NOV_B, ["K0026", "K0023"])
paid_invoices(B_NOV_27, ["K0014", "K0013"], par="854-85401-4220")
paid_invoices(B_NOV_27, ["K0001"], par="854-85401-4210")
paid_invoices(B_NOV_27, ["K0022"], par="854-85401-4300")
paid_invoices(B_NOV_27, ["K0029"], par="801-80101-4300")
paid_invoices(B_DEC, ["K0002", "K0002"], par="801-80101-4260")
paid_invoices(B_DEC, ["K0002"], par="801-80148-4260")
paid_invoices(B_DEC, ["K0014", "K0014"], par="801-80148-4220")
paid_invoices(B_DEC, ["K0001"], par="801-80101-4210")

# Pending transfers ---------------------------------------------------------------
for y, m in [(2026, 11), (2026, 12)]:
    zus_and_tax(y, m)
for y, m in [(2026, 11), (2026, 12), (2027, 1)]:
    wages(y, m)
for no, (kod, due) in enumerate([("K0015", D(2026, 10, 22)), ("K0016", D(2026, 11, 9)),
                                 ("K0015", D(2026, 11, 30)), ("K0028", D(2026, 12, 11)),
                                 ("K0016", D(2027, 1, 12)), ("K0027", D(2027, 1, 19))], 31):
    delegation(kod, due, no)
typed = [("K0025", D(2026, 10, 30), "GOK/U/14/2026", "Wynajem sali widowiskowej - jasełka 2026",
          "801-80101-4300", "450.00"),
         ("K0017", D(2026, 11, 16), "ODN/Z/88/2026", "Opłata za kurs: Ocenianie kształtujące",
          "801-80146-4300", "380.00"),
         ("K0006", D(2026, 12, 28), "UMOWA 4/2026", "Opłata za odbiór odpadów - IV kwartał 2026",
          "801-80101-4300", "1260.00"),
         ("K0022", D(2027, 1, 8), "ZLEC 2/2027", "Przewóz uczniów na zawody powiatowe",
          "854-85401-4300", "980.00"),
         ("K0019", D(2026, 12, 4), "", "Naprawa drukarki w sekretariacie", None, "215.25"),
         ("K0018", D(2027, 1, 25), "12/01/2027/BR", "Sporządzenie sprawozdań rocznych",
          "750-75085-4300", "1845.00")]
for kod, due, nr, title, par, value in typed:
    made = due - dt.timedelta(days=12)
    transfer(kod, due, Decimal(value), origin=1, nr=nr, title=title, par=par, issued=made,
             added=made, account=account_for(kod, prefer_active=True))

# Part payments made in earlier batches, rest still pending.
for batch, kod, due, share in [(B_OCT, "K0012", D(2026, 10, 12), 0.4),
                               (B_NOV_A, "K0024", D(2026, 11, 18), 0.5),
                               (B_NOV_A, "K0003", D(2026, 11, 13), 0.3)]:
    row = invoice_transfer(kod, due)
    row["DATA_DODANIA"] = min(row["DATA_DODANIA"], batch[0] - dt.timedelta(days=2))
    pay(batch, row, row["WARTOSC_CALA"] * Decimal(share))

# The contractor with the too-short account number has unpaid invoices too.
for due in (D(2026, 11, 24), D(2026, 12, 18)):
    invoice_transfer("K0021", due)

TARGET_PENDING = 200
start, end = D(2026, 10, 1), D(2027, 1, 31)
pool = [k for k in INVOICE_KODS for _ in range(INVOICE_WEIGHTS.get(k, 2))]
while sum(1 for t in transfers if t["DATA_REALIZACJI"] is None) < TARGET_PENDING:
    kod = rng.choice(pool)
    due = start + dt.timedelta(days=rng.randint(0, (end - start).days))
    account = None
    if kod == "K0009" and rng.random() < 0.5:
        account = account_for(kod, prefer_active=True)
    row = invoice_transfer(kod, due, account=account)
    if rng.random() < 0.03:   # classification not filled in by the invoice module
        row["PARAGRAF"] = None

assert all(t["PARAGRAF"] in ALL_PAR for t in transfers if t["PARAGRAF"])

# Number transfers in the order they were entered.
transfers.sort(key=lambda t: (t["DATA_DODANIA"], t["TERMIN_ZAPLATY"], t["_kod"]))
for i, t in enumerate(transfers, 1):
    t["ID"] = i

# Marking sets: set 1 December dues, set 2 January dues, set 3 includes the
# contractor whose account number is too short, so issuing set 3 is refused.
pending = [t for t in transfers if t["DATA_REALIZACJI"] is None]
short_kod = "K0021"
eligible = [t for t in pending if t["_kod"] != short_kod and t["WPROWADZONY"] != 3]
set1 = [t for t in eligible if t["TERMIN_ZAPLATY"].month == 12][:11]
set1 += [t for t in eligible if t["WARTOSC_WYPLACONA"] > 0][:1]
set2 = [t for t in eligible if t["TERMIN_ZAPLATY"].year == 2027 and t not in set1][:8]
set3 = [t for t in eligible if t["TERMIN_ZAPLATY"].month == 11 and t not in set1][:3]
set3 += [t for t in pending if t["_kod"] == short_kod][:2]
for field, chosen in (("ZAZNACZ", set1), ("ZAZNACZ2", set2), ("ZAZNACZ3", set3)):
    for t in chosen:
        assert not any(t[f] == 1 for f in ("ZAZNACZ", "ZAZNACZ2", "ZAZNACZ3"))
        t[field] = 1

# Purchase invoices of the invoice-born transfers.
POSTED_UNTIL = D(2026, 11, 30)
fz_docs = []
for t in sorted(transfers, key=lambda t: t["DATA_DODANIA"]):
    if t["WPROWADZONY"] != 0:
        continue
    fid = len(invoices) + 1
    t["ID_FAKTURY"] = fid
    brutto = t["WARTOSC_CALA"]
    netto = money(brutto / Decimal("1.23"))
    invoices.append(dict(
        ID=fid, NR_FAKTURY=t["NR_FAKTURY"], NR_WLASNY=f"FZ/{fid:04d}/{t['DATA_DODANIA'].year}",
        ID_KONTRAHENTA=t["ID_KONTRAHENTA"], ID_KONTA_BANK=t["ID_KONTA_BANK"],
        DATA_WYSTAWIENIA=t["DATA_WYSTAWIENIA"], DATA_WPLYWU=t["DATA_DODANIA"],
        TERMIN_ZAPLATY=t["TERMIN_ZAPLATY"], OPIS=KONTR[t["_kod"]]["opis"],
        WARTOSC_NETTO=netto, WARTOSC_VAT=brutto - netto, WARTOSC_BRUTTO=brutto,
        PARAGRAF=t["PARAGRAF"], ID_DOKUMENTU_FK=None, DODAL=ADMIN,
        DATA_DODANIA=t["DATA_DODANIA"]))
    if D(2026, 1, 1) <= t["DATA_DODANIA"] <= POSTED_UNTIL:
        fz_docs.append((invoices[-1], t))

# Two invoices of set 1 are paid as split payments: their VAT goes to the
# supplier's VAT account, so set 1 is issued through an Elixir-O bank.
split = [t for t in set1 if t["WPROWADZONY"] == 0 and t["WARTOSC_WYPLACONA"] == 0 and NIPS[t["_kod"]]][:2]
assert len(split) == 2
for t in split:
    vat = next(i["WARTOSC_VAT"] for i in invoices if i["ID"] == t["ID_FAKTURY"])
    t.update(MPP=1, KWOTA_VAT_CALA=vat, KWOTA_VAT_WYPLACONA=Decimal("0.00"), KWOTA_VAT=vat)

# Ledger documents -----------------------------------------------------------------
documents, entries = [], []
numbering = {}


def document(code, day, opis, source=None):
    numbering[code] = numbering.get(code, 0) + 1
    doc = dict(ID=len(documents) + 1, ID_OKRESU=day.month if day.year == 2026 else None,
               ID_KODU=KOD_ID[code], KOD_DOK=code,
               NUMER_DOK=f"{code}/{numbering[code]:04d}/{day.year}", NR_KOLEJNY=numbering[code],
               DATA_DOK=day, DATA_OPERACJI=day, OPIS=opis, UWAGI="", ID_ZRODLA=source,
               ZAKSIEGOWANY=1 if day.month < 11 else 0, DODAL=ADMIN, DATA_DODANIA=day)
    documents.append(doc)
    return doc


def entry(doc, wn, ma, kwota, opis, nr, rach, kontr, par):
    for acc in (wn, ma):
        assert acc in PLAN_SYMBOLS, acc
    entries.append(dict(
        ID=len(entries) + 1, ID_DOKUMENTU=doc["ID"],
        LP=sum(1 for e in entries if e["ID_DOKUMENTU"] == doc["ID"]) + 1,
        KONTO_WN=wn, KONTO_MA=ma, KWOTA=kwota, OPIS=opis, DATA_DOK=doc["DATA_DOK"],
        DATA_OPERACJI=doc["DATA_OPERACJI"], NAZWA_MA=nr, NR_RACH=rach, ID_KONTRAHENTA=kontr,
        PARAGRAF=par, DODAL=ADMIN, DATA_DODANIA=doc["DATA_DOK"]))


events = [(inv["DATA_WPLYWU"], 0, inv, t) for inv, t in fz_docs]
events += [(b[0], 1, b, None) for b in BATCHES if b[3]]
events += [(D(2026, m + 1, 5), 2, m, None) for m in (9, 10)]
realized = []      # PR_PRZELEWY_ZREALIZOWANE rows, filled below per batch
batch_rows = {}
for day, letter, bank, _posted in BATCHES:
    rows = []
    ordered = sorted(realized_plan[(day, letter)], key=lambda p: (p[0]["_kod"], p[0]["ID"]))
    for t, amount in ordered:
        rows.append(dict(ID=None, ID_KONTRAHENTA=t["ID_KONTRAHENTA"],
                         ID_KONTA_BANK=t["ID_KONTA_BANK"], ID_KONTA_FIRMY=bank,
                         ID_DOKUMENTU_FK=0 if (day, letter) == B_DEC else None,
                         DATA_REALIZACJI=day, KOLEJNY=letter, NR_FAKTURY=t["NR_FAKTURY"],
                         TRESC1=t["TRESC1"], PARAGRAF=t["PARAGRAF"], WN=t["WN"],
                         WARTOSC=amount,
                         # The old year's batch was paid before transfers were linked.
                         ID_PRZELEWU=None if (day, letter) == B_OLD else t["ID"]))
    for r in rows:
        r["ID"] = len(realized) + 1
        realized.append(r)
    batch_rows[(day, letter)] = rows


def bank_account(bank, par):
    if par and BANK_OF_PAR.get(par) == bank:
        rozdzial_par = par.split("-", 1)[1]
        return f"130-{bank}-{rozdzial_par}"
    return f"130-{bank}"


for day, kind, item, t in sorted(events, key=lambda e: (e[0], e[1])):
    if kind == 0:
        inv = item
        par_kod = (t["PARAGRAF"] or "-4210").rsplit("-", 1)[1]
        doc = document("FZ", day, f"Faktura {inv['NR_FAKTURY']} - {KONTR[t['_kod']]['skrot']}",
                       inv["ID"])
        entry(doc, COST_ACCOUNT[par_kod], t["WN"], inv["WARTOSC_BRUTTO"], inv["OPIS"],
              inv["NR_FAKTURY"], t["WN"], t["ID_KONTRAHENTA"], t["PARAGRAF"])
        inv["ID_DOKUMENTU_FK"] = doc["ID"]
    elif kind == 1:
        b_day, letter, bank, _ = item
        rows = batch_rows[(b_day, letter)]
        newest = max(rows, key=lambda r: r["ID"])
        doc = document("PRZ", b_day, newest["TRESC1"][:255], newest["ID"])
        for r in sorted(rows, key=lambda r: -r["ID"]):
            entry(doc, r["WN"], bank_account(bank, r["PARAGRAF"]), r["WARTOSC"], r["TRESC1"],
                  r["NR_FAKTURY"], r["WN"], r["ID_KONTRAHENTA"], r["PARAGRAF"])
            r["ID_DOKUMENTU_FK"] = doc["ID"]
    else:
        m = item
        period = f"{m:02d}/2026"
        doc = document("PK", day, f"Przypis składek ZUS i podatku za {period}")
        for t2 in transfers:
            if t2["WPROWADZONY"] == 1 and t2["NR_FAKTURY"].endswith(period) and \
                    t2["_kod"] in ("K0007", "K0030"):
                par_kod = t2["PARAGRAF"].rsplit("-", 1)[1]
                entry(doc, COST_ACCOUNT[par_kod], t2["WN"], t2["WARTOSC_CALA"], t2["TRESC1"],
                      t2["NR_FAKTURY"], t2["WN"], t2["ID_KONTRAHENTA"], t2["PARAGRAF"])

# Write ----------------------------------------------------------------------------
s.comment("Purchase invoices")
for inv in invoices:
    s.insert("DOK_FZ", inv)
note_id("GEN_DOK_FZ_ID", len(invoices))

s.comment("Ledger documents and entries")
for doc in documents:
    s.insert("FK_DOKUMENTY", doc)
for e in entries:
    s.insert("FK_DEKRETY", e)
note_id("GEN_FK_DOKUMENTY_ID", len(documents))
note_id("GEN_FK_DEKRETY_ID", len(entries))

s.comment("Transfer register: pending, partly paid and realized transfers")
for t in transfers:
    assert t["WARTOSC"] == t["WARTOSC_CALA"] - t["WARTOSC_WYPLACONA"]
    s.insert("PR_PRZELEWY", {k: v for k, v in t.items() if not k.startswith("_")})
note_id("GEN_PR_PRZELEWY_ID", len(transfers))

s.comment("Issued batches")
for i, (day, letter, bank, _posted) in enumerate(BATCHES, 1):
    s.insert("PR_WYSTAWIONE", dict(ID=i, DATA_REALIZACJI=day, KOLEJNY=letter, ID_BANKU=bank))
note_id("GEN_PR_WYSTAWIONE_ID", len(BATCHES))

s.comment("Realized transfers of the batches")
for r in realized:
    s.insert("PR_PRZELEWY_ZREALIZOWANE", r)
note_id("GEN_PR_PRZELEWY_ZREALIZOWANE_ID", len(realized))

s.comment("Generators continue after the highest demo key")
ALL_GENERATORS = [
    "GEN_PR_PRZELEWY_ID", "GEN_PR_PRZELEWY_ZREALIZOWANE_ID", "GEN_PR_WYSTAWIONE_ID",
    "GEN_ET_KONTAKT_ID", "GEN_ET_BANK_KONTO_ID", "GEN_ET_BANKI_ID", "GEN_FK_OKRESY_ID",
    "GEN_FK_KODY_DOK_ID", "GEN_FK_DZIALY_ID", "GEN_FK_ROZDZIALY_ID", "GEN_FK_PARAGRAFY_ID",
    "GEN_FK_PLANKONT_ID", "GEN_FK_DOKUMENTY_ID", "GEN_FK_DEKRETY_ID", "GEN_DOK_FZ_ID",
    "GEN_SU_UZYTKOWNICY_ID", "GEN_SU_UPRAWNIENIA_ID", "GEN_SU_UKLADY_SIATEK_ID"]
for g in ALL_GENERATORS:
    s.raw(f"ALTER SEQUENCE {g} RESTART WITH {max_id.get(g, 0)};")

s.raw("")
s.raw("COMMIT;")
OUT.write_text("\n".join(s.lines) + "\n", encoding="utf-8")

counts = dict(pending=sum(1 for t in transfers if t["DATA_REALIZACJI"] is None),
              transfers=len(transfers), realized=len(realized), invoices=len(invoices),
              documents=len(documents), entries=len(entries),
              set1=len(set1), set2=len(set2), set3=len(set3))
print(OUT, counts)
