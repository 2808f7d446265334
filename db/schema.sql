ALTER CHARACTER SET WIN1250 SET DEFAULT COLLATION PXW_PLK;

/*
  Suite database: the transfer register and the parts of the contractor,
  card-index, finance-accounting and core modules that the transfer module
  and the sibling stand-ins read or write.

  Keys are plain integers taken from generators by the program before the
  insert (no key triggers), so every table keeps its ID free for the caller.
  Money is NUMERIC(18,4). Text columns collate PXW_PLK through the
  default set above.
*/

/* ---------------------------------------------------------------------
   Transfer register (owned by the transfer module)
   --------------------------------------------------------------------- */

CREATE TABLE PR_PRZELEWY (
  ID                 INTEGER NOT NULL,
  ID_KONTRAHENTA     INTEGER,
  ID_KONTA_BANK      INTEGER,
  ID_FAKTURY         INTEGER,
  NR_FAKTURY         VARCHAR(30),
  DATA_WYSTAWIENIA   TIMESTAMP,
  TERMIN_ZAPLATY     TIMESTAMP,
  TRESC1             VARCHAR(120),
  DODAL              VARCHAR(10),
  DATA_DODANIA       TIMESTAMP,
  ZMIENIL            VARCHAR(10),
  DATA_ZMIANY        TIMESTAMP,
  DATA_REALIZACJI    TIMESTAMP,
  KOLEJNY            CHAR(1),
  WPROWADZONY        INTEGER,
  ZAZNACZ            INTEGER,
  ZAZNACZ2           INTEGER,
  ZAZNACZ3           INTEGER,
  WN                 VARCHAR(40),
  WARTOSC_CALA       NUMERIC(18,4),
  WARTOSC_WYPLACONA  NUMERIC(18,4),
  WARTOSC            NUMERIC(18,4),
  PARAGRAF           VARCHAR(40),
  -- Split payment (MPP = 1): the bank pays the VAT part to the payee's VAT
  -- account. KWOTA_VAT_CALA is the VAT of WARTOSC_CALA, KWOTA_VAT_WYPLACONA
  -- the VAT paid so far, KWOTA_VAT the VAT part of WARTOSC (the next issue).
  -- Empty on ordinary transfers.
  MPP                  INTEGER,
  KWOTA_VAT_CALA       NUMERIC(18,4),
  KWOTA_VAT_WYPLACONA  NUMERIC(18,4),
  KWOTA_VAT            NUMERIC(18,4),
  CONSTRAINT PK_PR_PRZELEWY PRIMARY KEY (ID)
);
CREATE INDEX IX_PR_PRZELEWY_KONTRAHENT ON PR_PRZELEWY (ID_KONTRAHENTA);
CREATE INDEX IX_PR_PRZELEWY_REALIZACJA ON PR_PRZELEWY (DATA_REALIZACJI, KOLEJNY);
CREATE INDEX IX_PR_PRZELEWY_TERMIN ON PR_PRZELEWY (TERMIN_ZAPLATY);

CREATE TABLE PR_PRZELEWY_ZREALIZOWANE (
  ID                 INTEGER NOT NULL,
  ID_KONTRAHENTA     INTEGER,
  ID_KONTA_BANK      INTEGER,
  ID_KONTA_FIRMY     INTEGER,
  ID_DOKUMENTU_FK    INTEGER,
  DATA_REALIZACJI    TIMESTAMP,
  KOLEJNY            CHAR(1),
  NR_FAKTURY         VARCHAR(30),
  TRESC1             VARCHAR(120),
  PARAGRAF           VARCHAR(40),
  WN                 VARCHAR(40),
  WARTOSC            NUMERIC(18,4),
  -- The register transfer this row paid; empty on rows written before it was recorded.
  ID_PRZELEWU        INTEGER,
  -- The bank statement and its entry (from 1) that confirmed the payment, who settled it and when.
  WYCIAG             VARCHAR(60),
  WYCIAG_POZYCJA     INTEGER,
  ROZLICZYL          VARCHAR(10),
  ROZLICZONO         TIMESTAMP,
  -- A split payment and the VAT part of WARTOSC it paid.
  MPP                INTEGER,
  KWOTA_VAT          NUMERIC(18,4),
  CONSTRAINT PK_PR_PRZELEWY_ZREALIZOWANE PRIMARY KEY (ID)
);
CREATE INDEX IX_PR_ZREALIZOWANE_PACZKA ON PR_PRZELEWY_ZREALIZOWANE (DATA_REALIZACJI, KOLEJNY);
CREATE INDEX IX_PR_ZREALIZOWANE_KONTRAHENT ON PR_PRZELEWY_ZREALIZOWANE (ID_KONTRAHENTA);
CREATE INDEX IX_PR_ZREALIZOWANE_PRZELEW ON PR_PRZELEWY_ZREALIZOWANE (ID_PRZELEWU);
CREATE INDEX IX_PR_ZREALIZOWANE_WYCIAG ON PR_PRZELEWY_ZREALIZOWANE (WYCIAG);

-- One row per issued batch, the letter is unique within its day. The batch
-- is committed before its bank file and ledger document are made: each of
-- those steps is 0 until done (1, or NULL from writers that do not track it,
-- counts as done), so a batch left unfinished can be found and finished.
CREATE TABLE PR_WYSTAWIONE (
  ID                 INTEGER NOT NULL,
  DATA_REALIZACJI    TIMESTAMP,
  KOLEJNY            CHAR(1),
  ID_BANKU           INTEGER,
  ZBIOR_ZAPISANY     INTEGER DEFAULT 1,
  DOKUMENT_ZAPISANY  INTEGER DEFAULT 1,
  CONSTRAINT PK_PR_WYSTAWIONE PRIMARY KEY (ID),
  CONSTRAINT UQ_PR_WYSTAWIONE_PACZKA UNIQUE (DATA_REALIZACJI, KOLEJNY)
);

CREATE GENERATOR GEN_PR_PRZELEWY_ID;
CREATE GENERATOR GEN_PR_PRZELEWY_ZREALIZOWANE_ID;
CREATE GENERATOR GEN_PR_WYSTAWIONE_ID;

-- The VAT white list. A loaded flat file lives in a compact file of the
-- workstation that loaded it; its day is recorded here.
CREATE TABLE PR_BIALA_LISTA_PLIKI (
  DATA_PLIKU            TIMESTAMP NOT NULL,
  LICZBA_TRANSFORMACJI  INTEGER,
  CZYNNYCH              INTEGER,
  ZWOLNIONYCH           INTEGER,
  MASEK                 INTEGER,
  WCZYTAL               VARCHAR(10),
  WCZYTANO              TIMESTAMP,
  CONSTRAINT PK_PR_BIALA_LISTA_PLIKI PRIMARY KEY (DATA_PLIKU)
);

-- Every check of a transfer's account at issue, kept for audit: the file it
-- was checked against (NULL when none was loaded), the result (0 not on the
-- list, 1 active taxpayer, 2 exempt taxpayer, 3 NIP or account unusable,
-- 4 no file), who confirmed paying an account not on the list and when, and
-- the realized row the payment became.
CREATE TABLE PR_BIALA_LISTA_SPRAWDZENIA (
  ID                 INTEGER NOT NULL,
  ID_PRZELEWU        INTEGER,
  ID_ZREALIZOWANEGO  INTEGER,
  NIP                VARCHAR(20),
  KONTO              VARCHAR(60),
  WARTOSC            NUMERIC(18,4),
  DATA_PRZELEWU      TIMESTAMP,
  DATA_PLIKU         TIMESTAMP,
  WYNIK              INTEGER,
  PRZEZ_MASKE        INTEGER,
  SPRAWDZIL          VARCHAR(10),
  SPRAWDZONO         TIMESTAMP,
  POTWIERDZIL        VARCHAR(10),
  POTWIERDZONO       TIMESTAMP,
  CONSTRAINT PK_PR_BIALA_LISTA_SPRAWDZENIA PRIMARY KEY (ID)
);
CREATE INDEX IX_PR_BIALA_LISTA_PRZELEW ON PR_BIALA_LISTA_SPRAWDZENIA (ID_PRZELEWU);
CREATE INDEX IX_PR_BIALA_LISTA_ZREALIZOWANY ON PR_BIALA_LISTA_SPRAWDZENIA (ID_ZREALIZOWANEGO);
CREATE GENERATOR GEN_PR_BIALA_LISTA_ID;

/* ---------------------------------------------------------------------
   Parameter rows
   --------------------------------------------------------------------- */

-- Shared by the register modules of the suite, one row.
CREATE TABLE RE_PARAMETRY (
  ID                              INTEGER NOT NULL,
  KSIEGOWAC_PRZELEWY              INTEGER,
  SYNTETYKA_PRZELEWOW             VARCHAR(30),
  ID_KODU_DOK_PRZELEWU            INTEGER,
  CZY_PRZELEW                     INTEGER,
  SCIEZKA_IMPORTU_PRZELEWOW       VARCHAR(255),
  TRESC_PRZELEWOW                 VARCHAR(15),
  TRESC_PRZELEWOW_GRUPOWANYCH     VARCHAR(15),
  JAKA_TRESC_PRZELEWOW_FZ         CHAR(1),
  CZY_AKCEPTACJA_KONTA_BANKOWEGO  INTEGER,
  PROCENT_ROZLICZANY              NUMERIC(18,4),
  STAWKA_PODATKU                  NUMERIC(18,4),
  DATA_ZAMKNIECIA                 TIMESTAMP,
  JAKA_TRESC                      CHAR(1),
  MODUL_IMPORTU_FAKTUR            CHAR(1),
  JAKA_DATA_WPROW_DOKFK           CHAR(1),
  JAKI_OPIS_W_DOKFK               CHAR(1),
  CZY_NR_WLASNY_FZ                INTEGER,
  CZY_NR_WLASNY_FS                INTEGER,
  CZY_DRUK_VAT_ZW                 INTEGER,
  CZY_REJESTR_KASOWY              INTEGER,
  CZY_PZ_Z_GM                     INTEGER,
  ID_KODU_DOK_KASOWEGO            INTEGER,
  CZY_ODSWIEZAC                   INTEGER,
  ID_KODU_DOK_ODCHYLEN            INTEGER,
  ID_CECHY_TOWAROW                INTEGER,
  JEDEN_DOK_DLA_FAKTUR            INTEGER,
  CZY_KOD_DOK_KASOWEGO_ZREJESTRU  INTEGER,
  KONTO_ODCHYLEN_PZ               VARCHAR(60),
  KONTO_ODCHYLEN_FAKT             VARCHAR(60),
  SCIEZKA_IMPORTU_FAKTUR          VARCHAR(255),
  -- Transfers of at least this amount to a contractor with a NIP are checked against the VAT white list
  -- (NULL in rows older than the column: 15 000).
  PROG_BIALEJ_LISTY               NUMERIC(18,4) DEFAULT 15000,
  -- The folder every workstation of the office keeps and reads the loaded white-list files in; {DANE} is the
  -- workstation's data folder (NULL in rows older than the column: {DANE}/bialalista).
  SCIEZKA_BIALEJ_LISTY            VARCHAR(255) DEFAULT '{DANE}/bialalista',
  CONSTRAINT PK_RE_PARAMETRY PRIMARY KEY (ID)
);

-- Ledger parameters (read by hosts of version 4.1.12.01 and later).
CREATE TABLE FK_PARAMETRY (
  ID                 INTEGER NOT NULL,
  POKAZ_PARAGRAF     INTEGER,
  SEPARATOR_KONT     CHAR(1),
  KONTROLA_BILANSU   INTEGER,
  AUTONUMERACJA_DOK  INTEGER,
  CONSTRAINT PK_FK_PARAMETRY PRIMARY KEY (ID)
);

-- Contractor-register parameters (read by older hosts).
CREATE TABLE ET_PARAMETRY (
  ID                 INTEGER NOT NULL,
  POKAZ_PARAGRAF     INTEGER,
  AUTO_KOD_FK        INTEGER,
  PREFIKS_KOD_FK     VARCHAR(5),
  DLUGOSC_KOD_FK     INTEGER,
  CONSTRAINT PK_ET_PARAMETRY PRIMARY KEY (ID)
);

/* ---------------------------------------------------------------------
   Contractor register and the banks of the company
   --------------------------------------------------------------------- */

CREATE TABLE ET_KONTAKT (
  ID                 INTEGER NOT NULL,
  PELNA              VARCHAR(255),
  SKROT              VARCHAR(60),
  KOD_FK             VARCHAR(20),
  KOD_POCZT          VARCHAR(20),
  MIEJSCOWOSC        VARCHAR(30),
  ULICA              VARCHAR(40),
  BUDYNEK            VARCHAR(30),
  LOKAL              VARCHAR(6),
  WYROZNIONY         INTEGER,
  NIP                VARCHAR(20),
  REGON              VARCHAR(20),
  PESEL              VARCHAR(11),
  TELEFON            VARCHAR(30),
  EMAIL              VARCHAR(60),
  OSOBA_FIZYCZNA     INTEGER,
  UWAGI              VARCHAR(255),
  DODAL              VARCHAR(10),
  DATA_DODANIA       TIMESTAMP,
  ZMIENIL            VARCHAR(10),
  DATA_ZMIANY        TIMESTAMP,
  CONSTRAINT PK_ET_KONTAKT PRIMARY KEY (ID)
);
-- The transfer import finds contractors by their ledger symbol.
CREATE INDEX IX_ET_KONTAKT_KOD_FK ON ET_KONTAKT (KOD_FK);

CREATE TABLE ET_BANK_KONTO (
  ID                 INTEGER NOT NULL,
  ID_KONTR           INTEGER,
  KONTO              VARCHAR(60),
  NAZWA              VARCHAR(60),
  DOMYSLNE           INTEGER,
  AKTYWNE            INTEGER,
  ZAAKCEPTOWANE      INTEGER,
  ZAAKCEPTOWAL       VARCHAR(10),
  DATA_AKCEPTACJI    TIMESTAMP,
  DODAL              VARCHAR(10),
  DATA_DODANIA       TIMESTAMP,
  ZMIENIL            VARCHAR(10),
  DATA_ZMIANY        TIMESTAMP,
  -- Who last typed the number and when: the one user who may not accept it.
  KONTO_WPISAL       VARCHAR(10),
  DATA_WPISANIA_KONTA TIMESTAMP,
  CONSTRAINT PK_ET_BANK_KONTO PRIMARY KEY (ID),
  -- Four eyes: the author of a number never accepts it himself.
  CONSTRAINT CK_ET_BANK_KONTO_CZTERY_OCZY
    CHECK (ZAAKCEPTOWANE IS DISTINCT FROM 1 OR UPPER(ZAAKCEPTOWAL) IS DISTINCT FROM UPPER(KONTO_WPISAL))
);
CREATE INDEX IX_ET_BANK_KONTO_KONTR ON ET_BANK_KONTO (ID_KONTR);

/*
  Whatever writes an account (the contractor register, the module, a tool),
  the acceptance stays tied to the number it was given for: a new number is
  not accepted, its author is recorded, and an acceptance is credited to the
  suite user of the connection. The suite user is the attachment's
  USER_SESSION variable PX_UZYTKOWNIK; connections without it (scripts) fall
  back to what the row says, then to the database user.
*/
SET TERM ^ ;
CREATE TRIGGER ET_BANK_KONTO_AKCEPTACJA FOR ET_BANK_KONTO
ACTIVE BEFORE INSERT OR UPDATE POSITION 0
AS
  DECLARE UZYTKOWNIK VARCHAR(10);
BEGIN
  UZYTKOWNIK = LEFT(RDB$GET_CONTEXT('USER_SESSION', 'PX_UZYTKOWNIK'), 10);
  IF (INSERTING) THEN
  BEGIN
    NEW.KONTO_WPISAL = COALESCE(UZYTKOWNIK, NEW.KONTO_WPISAL, NEW.DODAL, LEFT(CURRENT_USER, 10));
    NEW.DATA_WPISANIA_KONTA = COALESCE(NEW.DATA_WPISANIA_KONTA, NEW.DATA_DODANIA, CURRENT_TIMESTAMP);
  END
  ELSE IF (NEW.KONTO IS DISTINCT FROM OLD.KONTO) THEN
  BEGIN
    NEW.KONTO_WPISAL = COALESCE(UZYTKOWNIK, LEFT(CURRENT_USER, 10));
    NEW.DATA_WPISANIA_KONTA = CURRENT_TIMESTAMP;
    NEW.ZAAKCEPTOWANE = 0;
    NEW.ZAAKCEPTOWAL = NULL;
    NEW.DATA_AKCEPTACJI = NULL;
  END
  ELSE IF (NEW.KONTO_WPISAL IS DISTINCT FROM OLD.KONTO_WPISAL) THEN
    -- The author of the number is the trigger's to record, nobody else's.
    NEW.KONTO_WPISAL = OLD.KONTO_WPISAL;
  IF (NEW.ZAAKCEPTOWANE = 1 AND (INSERTING OR OLD.ZAAKCEPTOWANE IS DISTINCT FROM 1)) THEN
  BEGIN
    NEW.ZAAKCEPTOWAL = COALESCE(UZYTKOWNIK, NEW.ZAAKCEPTOWAL);
    NEW.DATA_AKCEPTACJI = COALESCE(NEW.DATA_AKCEPTACJI, CURRENT_TIMESTAMP);
  END
END^
SET TERM ; ^

CREATE TABLE ET_BANKI (
  ID                 INTEGER NOT NULL,
  KONTO              VARCHAR(60) NOT NULL,
  KOD_FK             VARCHAR(40),
  NAZWA              VARCHAR(30),
  OPIS               VARCHAR(255),
  ADRES              VARCHAR(128),
  DODAL              VARCHAR(10) NOT NULL,
  DATA_DODANIA       TIMESTAMP NOT NULL,
  ZMIENIL            VARCHAR(10),
  DATA_ZMIANY        TIMESTAMP,
  PROCEDURA          INTEGER,
  SCIEZKA_PRZELEWOW  VARCHAR(255),
  GRUPOWANIE         INTEGER,
  OBSLUGA_PARAGRAF   INTEGER,
  -- The Elixir-O transaction code of a split payment; empty: 53.
  KOD_MPP            VARCHAR(2),
  CONSTRAINT PK_ET_BANKI PRIMARY KEY (ID)
);

CREATE GENERATOR GEN_ET_KONTAKT_ID;
CREATE GENERATOR GEN_ET_BANK_KONTO_ID;
CREATE GENERATOR GEN_ET_BANKI_ID;

/* ---------------------------------------------------------------------
   Finance-accounting ledger
   --------------------------------------------------------------------- */

-- The row with ID 0 carries the fiscal year of this database.
CREATE TABLE FK_ROK_OBRACHUNKOWY (
  ID                 INTEGER NOT NULL,
  ROK                INTEGER,
  DATA_OD            TIMESTAMP,
  DATA_DO            TIMESTAMP,
  ZAMKNIETY          INTEGER,
  CONSTRAINT PK_FK_ROK_OBRACHUNKOWY PRIMARY KEY (ID)
);

CREATE TABLE FK_OKRESY (
  ID                 INTEGER NOT NULL,
  ROK                INTEGER NOT NULL,
  MIESIAC            INTEGER NOT NULL,
  NAZWA              VARCHAR(30),
  DATA_OD            TIMESTAMP,
  DATA_DO            TIMESTAMP,
  ZAMKNIETY          INTEGER,
  CONSTRAINT PK_FK_OKRESY PRIMARY KEY (ID),
  CONSTRAINT UQ_FK_OKRESY_MIESIAC UNIQUE (ROK, MIESIAC)
);

CREATE TABLE FK_KODY_DOK (
  ID                 INTEGER NOT NULL,
  KOD                VARCHAR(5) NOT NULL,
  OPIS               VARCHAR(30) NOT NULL,
  CONSTRAINT PK_FK_KODY_DOK PRIMARY KEY (ID),
  CONSTRAINT UQ_FK_KODY_DOK_KOD UNIQUE (KOD)
);

-- Budget classification: sections, chapters and paragraphs.
CREATE TABLE FK_DZIALY (
  ID                 INTEGER NOT NULL,
  KOD                VARCHAR(20) NOT NULL,
  NAZWA              VARCHAR(60),
  CONSTRAINT PK_FK_DZIALY PRIMARY KEY (ID),
  CONSTRAINT UQ_FK_DZIALY_KOD UNIQUE (KOD)
);

CREATE TABLE FK_ROZDZIALY (
  ID                 INTEGER NOT NULL,
  ID_DZIALU          INTEGER NOT NULL,
  KOD                VARCHAR(20) NOT NULL,
  NAZWA              VARCHAR(60),
  CONSTRAINT PK_FK_ROZDZIALY PRIMARY KEY (ID),
  CONSTRAINT UQ_FK_ROZDZIALY_KOD UNIQUE (KOD),
  CONSTRAINT FK_ROZDZIALY_DZIAL FOREIGN KEY (ID_DZIALU) REFERENCES FK_DZIALY (ID)
);

CREATE TABLE FK_PARAGRAFY (
  ID                 INTEGER NOT NULL,
  KOD                VARCHAR(20) NOT NULL,
  NAZWA              VARCHAR(60),
  CONSTRAINT PK_FK_PARAGRAFY PRIMARY KEY (ID),
  CONSTRAINT UQ_FK_PARAGRAFY_KOD UNIQUE (KOD)
);

/*
  Chart of accounts. NAZWA_WYSWIETLANA is the full account symbol handed to
  the ledger ('130-1-4210'), SYMBOL only the last segment of the symbol.
  SLOWNIK_NALEZY names the dictionary an analytic account is kept by:
  0 none, 1 the banks of the company (BANK_ID), 2 contractors (ID_KONTRAHENTA).
  An account that carries a budget classification (section, chapter,
  paragraph) appears in FK_DZIAL_PAR_PODP. An analytic bank account with a
  classification is credited with the transfers of that classification
  paid from the bank.
*/
CREATE TABLE FK_PLANKONT (
  ID                 INTEGER NOT NULL,
  ID_NADRZEDNEGO     INTEGER,
  SYMBOL             VARCHAR(20),
  NAZWA_WYSWIETLANA  VARCHAR(60) NOT NULL,
  NAZWA              VARCHAR(60),
  POZIOM             INTEGER,
  TYP                CHAR(1),
  SLOWNIK_NALEZY     INTEGER,
  BANK_ID            INTEGER,
  ID_KONTRAHENTA     INTEGER,
  DZIAL_ID           INTEGER,
  ROZDZIAL_ID        INTEGER,
  PARAGRAF_ID        INTEGER,
  PARAGRAF_KOSZT_ID  INTEGER,
  AKTYWNE            INTEGER,
  CONSTRAINT PK_FK_PLANKONT PRIMARY KEY (ID),
  CONSTRAINT UQ_FK_PLANKONT_SYMBOL UNIQUE (NAZWA_WYSWIETLANA),
  CONSTRAINT FK_PLANKONT_DZIAL FOREIGN KEY (DZIAL_ID) REFERENCES FK_DZIALY (ID),
  CONSTRAINT FK_PLANKONT_ROZDZIAL FOREIGN KEY (ROZDZIAL_ID) REFERENCES FK_ROZDZIALY (ID),
  CONSTRAINT FK_PLANKONT_PARAGRAF FOREIGN KEY (PARAGRAF_ID) REFERENCES FK_PARAGRAFY (ID),
  CONSTRAINT FK_PLANKONT_PARAGRAF_KOSZT FOREIGN KEY (PARAGRAF_KOSZT_ID) REFERENCES FK_PARAGRAFY (ID)
);
CREATE INDEX IX_FK_PLANKONT_BANK ON FK_PLANKONT (SLOWNIK_NALEZY, BANK_ID);

/*
  Ledger documents. ID_ZRODLA keeps the source record the document was made
  from (for a transfer batch: its newest realized transfer).
*/
CREATE TABLE FK_DOKUMENTY (
  ID                 INTEGER NOT NULL,
  ID_OKRESU          INTEGER,
  ID_KODU            INTEGER,
  KOD_DOK            VARCHAR(5),
  NUMER_DOK          VARCHAR(40),
  NR_KOLEJNY         INTEGER,
  DATA_DOK           TIMESTAMP,
  DATA_OPERACJI      TIMESTAMP,
  OPIS               VARCHAR(255),
  UWAGI              VARCHAR(255),
  ID_ZRODLA          INTEGER,
  ZAKSIEGOWANY       INTEGER,
  DODAL              VARCHAR(10),
  DATA_DODANIA       TIMESTAMP,
  ZMIENIL            VARCHAR(10),
  DATA_ZMIANY        TIMESTAMP,
  CONSTRAINT PK_FK_DOKUMENTY PRIMARY KEY (ID)
);
CREATE INDEX IX_FK_DOKUMENTY_OKRES ON FK_DOKUMENTY (ID_OKRESU, ID_KODU);

/*
  Ledger entries. NAZWA_MA carries the invoice number the entry settles and
  NR_RACH the settlement account of the contractor (WN of the transfer), which is
  how the transfer lists find the document of an invoice.
  Deleting a document deletes its entries.
*/
CREATE TABLE FK_DEKRETY (
  ID                 INTEGER NOT NULL,
  ID_DOKUMENTU       INTEGER NOT NULL,
  LP                 INTEGER,
  KONTO_WN           VARCHAR(40),
  KONTO_MA           VARCHAR(40),
  KWOTA              NUMERIC(18,4),
  OPIS               VARCHAR(255),
  DATA_DOK           TIMESTAMP,
  DATA_OPERACJI      TIMESTAMP,
  NAZWA_MA           VARCHAR(60),
  NR_RACH            VARCHAR(40),
  ID_KONTRAHENTA     INTEGER,
  PARAGRAF           VARCHAR(40),
  DODAL              VARCHAR(10),
  DATA_DODANIA       TIMESTAMP,
  CONSTRAINT PK_FK_DEKRETY PRIMARY KEY (ID),
  CONSTRAINT FK_DEKRETY_DOKUMENT FOREIGN KEY (ID_DOKUMENTU)
    REFERENCES FK_DOKUMENTY (ID) ON DELETE CASCADE
);
CREATE INDEX IX_FK_DEKRETY_FAKTURA ON FK_DEKRETY (NAZWA_MA, NR_RACH);
-- The next line number of a document is read from the top of this index.
CREATE DESCENDING INDEX IX_FK_DEKRETY_LP ON FK_DEKRETY (ID_DOKUMENTU, LP);

-- Purchase invoices of the invoice module.
CREATE TABLE DOK_FZ (
  ID                 INTEGER NOT NULL,
  NR_FAKTURY         VARCHAR(30),
  NR_WLASNY          VARCHAR(30),
  ID_KONTRAHENTA     INTEGER,
  ID_KONTA_BANK      INTEGER,
  DATA_WYSTAWIENIA   TIMESTAMP,
  DATA_WPLYWU        TIMESTAMP,
  TERMIN_ZAPLATY     TIMESTAMP,
  OPIS               VARCHAR(120),
  WARTOSC_NETTO      NUMERIC(18,4),
  WARTOSC_VAT        NUMERIC(18,4),
  WARTOSC_BRUTTO     NUMERIC(18,4),
  PARAGRAF           VARCHAR(40),
  ID_DOKUMENTU_FK    INTEGER,
  DODAL              VARCHAR(10),
  DATA_DODANIA       TIMESTAMP,
  CONSTRAINT PK_DOK_FZ PRIMARY KEY (ID)
);
CREATE INDEX IX_DOK_FZ_FAKTURA ON DOK_FZ (NR_FAKTURY, ID_KONTRAHENTA);

CREATE GENERATOR GEN_FK_OKRESY_ID;
CREATE GENERATOR GEN_FK_KODY_DOK_ID;
CREATE GENERATOR GEN_FK_DZIALY_ID;
CREATE GENERATOR GEN_FK_ROZDZIALY_ID;
CREATE GENERATOR GEN_FK_PARAGRAFY_ID;
CREATE GENERATOR GEN_FK_PLANKONT_ID;
CREATE GENERATOR GEN_FK_DOKUMENTY_ID;
CREATE GENERATOR GEN_FK_DEKRETY_ID;
CREATE GENERATOR GEN_DOK_FZ_ID;

/* ---------------------------------------------------------------------
   Core module: company record, users and rights, saved grid layouts
   --------------------------------------------------------------------- */

/*
  The own record of the company. The columns after ID are in the order in which
  the host hands the record out: 1 name, 2 identifying text (at least 10
  characters), 3 NIP, 4 REGON, 5 city, 6 street, 7 postal code, 8 post
  office, 9 building, 10 flat.
*/
CREATE TABLE SU_FIRMA (
  ID                 INTEGER NOT NULL,
  NAZWA              VARCHAR(120) NOT NULL,
  NAZWA2             VARCHAR(60),
  NIP                VARCHAR(20),
  REGON              VARCHAR(20),
  MIASTO             VARCHAR(30),
  ULICA              VARCHAR(40),
  KOD_POCZT          VARCHAR(20),
  POCZTA             VARCHAR(30),
  BUDYNEK            VARCHAR(30),
  LOKAL              VARCHAR(6),
  GMINA              VARCHAR(30),
  POWIAT             VARCHAR(30),
  WOJEWODZTWO        VARCHAR(30),
  TELEFON            VARCHAR(30),
  EMAIL              VARCHAR(60),
  CONSTRAINT PK_SU_FIRMA PRIMARY KEY (ID)
);

CREATE TABLE SU_WERSJA (
  ID                 INTEGER NOT NULL,
  WERSJA             VARCHAR(20) NOT NULL,
  DATA_AKTUALIZACJI  TIMESTAMP,
  CONSTRAINT PK_SU_WERSJA PRIMARY KEY (ID)
);

CREATE TABLE SU_UZYTKOWNICY (
  ID                 INTEGER NOT NULL,
  UZYTKOWNIK         VARCHAR(10) NOT NULL,
  IMIE_NAZWISKO      VARCHAR(60),
  ADMINISTRATOR      INTEGER,
  AKTYWNY            INTEGER,
  CONSTRAINT PK_SU_UZYTKOWNICY PRIMARY KEY (ID),
  CONSTRAINT UQ_SU_UZYTKOWNICY UNIQUE (UZYTKOWNIK)
);

-- A missing row means the operation is not allowed (administrators excepted).
CREATE TABLE SU_UPRAWNIENIA (
  ID                 INTEGER NOT NULL,
  UZYTKOWNIK         VARCHAR(10) NOT NULL,
  OPERACJA           VARCHAR(40) NOT NULL,
  DOZWOLONE          INTEGER,
  CONSTRAINT PK_SU_UPRAWNIENIA PRIMARY KEY (ID),
  CONSTRAINT UQ_SU_UPRAWNIENIA UNIQUE (UZYTKOWNIK, OPERACJA)
);

-- Grid layouts saved per window class name and user.
CREATE TABLE SU_UKLADY_SIATEK (
  ID                 INTEGER NOT NULL,
  NAZWA_OKNA         VARCHAR(60) NOT NULL,
  UZYTKOWNIK         VARCHAR(10) NOT NULL,
  UKLAD              BLOB SUB_TYPE TEXT,
  DATA_ZAPISU        TIMESTAMP,
  CONSTRAINT PK_SU_UKLADY_SIATEK PRIMARY KEY (ID),
  CONSTRAINT UQ_SU_UKLADY_SIATEK UNIQUE (NAZWA_OKNA, UZYTKOWNIK)
);

/*
  The layout changes applied to this database: one row per script of
  db/upgrades, by its number. A new database records every script it was
  made with; the program applies the missing ones when it opens the file.
*/
CREATE TABLE SU_AKTUALIZACJE (
  NUMER              INTEGER NOT NULL,
  NAZWA              VARCHAR(80) NOT NULL,
  WYKONANO           TIMESTAMP DEFAULT CURRENT_TIMESTAMP,
  WYKONAL            VARCHAR(31) DEFAULT CURRENT_USER,
  CONSTRAINT PK_SU_AKTUALIZACJE PRIMARY KEY (NUMER)
);

CREATE GENERATOR GEN_SU_UZYTKOWNICY_ID;
CREATE GENERATOR GEN_SU_UPRAWNIENIA_ID;
CREATE GENERATOR GEN_SU_UKLADY_SIATEK_ID;

COMMIT;
