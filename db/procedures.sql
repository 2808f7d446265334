/*
  Selectable procedures of the suite database used by the transfer module.
*/

SET TERM ^ ;

/*
  Budget classification list: one row per chart-of-accounts entry that
  carries a classification. NAZWA_PAR is the display name stored in the
  PARAGRAF of the transfers: section-chapter-paragraph ('801-80101-4210'), or
  section-paragraph when the account has no chapter.
  X = 0 lists every classified account, X > 0 only the analytic accounts
  of the company bank with that ID.
*/
CREATE PROCEDURE FK_DZIAL_PAR_PODP (X INTEGER)
RETURNS (
  KONTO_ID            INTEGER,
  KONTO               VARCHAR(60),
  NAZWA               VARCHAR(60),
  DZIAL_ID            INTEGER,
  DZIAL_KOD           VARCHAR(20),
  DZIAL_NAZWA         VARCHAR(60),
  PARAGRAF_ID         INTEGER,
  PARAGRAF_KOD        VARCHAR(20),
  PARAGRAF_NAZWA      VARCHAR(60),
  NAZWA_PAR           VARCHAR(60),
  PARAGRAF_KOSZT_ID   INTEGER,
  PARAGRAF_KOSZT_KOD  VARCHAR(20))
AS
  DECLARE VARIABLE ROZDZIAL_KOD VARCHAR(20);
BEGIN
  FOR SELECT k.ID, k.NAZWA_WYSWIETLANA, k.NAZWA,
             d.ID, d.KOD, d.NAZWA,
             r.KOD,
             p.ID, p.KOD, p.NAZWA,
             pk.ID, pk.KOD
        FROM FK_PLANKONT k
        JOIN FK_PARAGRAFY p ON p.ID = k.PARAGRAF_ID
        LEFT JOIN FK_DZIALY d ON d.ID = k.DZIAL_ID
        LEFT JOIN FK_ROZDZIALY r ON r.ID = k.ROZDZIAL_ID
        LEFT JOIN FK_PARAGRAFY pk ON pk.ID = k.PARAGRAF_KOSZT_ID
       WHERE COALESCE(:X, 0) <= 0 OR k.BANK_ID = :X
       ORDER BY k.NAZWA_WYSWIETLANA
        INTO :KONTO_ID, :KONTO, :NAZWA,
             :DZIAL_ID, :DZIAL_KOD, :DZIAL_NAZWA,
             :ROZDZIAL_KOD,
             :PARAGRAF_ID, :PARAGRAF_KOD, :PARAGRAF_NAZWA,
             :PARAGRAF_KOSZT_ID, :PARAGRAF_KOSZT_KOD
  DO
  BEGIN
    NAZWA_PAR = PARAGRAF_KOD;
    IF (ROZDZIAL_KOD IS NOT NULL) THEN
      NAZWA_PAR = ROZDZIAL_KOD || '-' || NAZWA_PAR;
    IF (DZIAL_KOD IS NOT NULL) THEN
      NAZWA_PAR = DZIAL_KOD || '-' || NAZWA_PAR;
    SUSPEND;
  END
END^

/*
  Grouped realized transfers of one batch, for banks that take a batch as
  one transfer per payee (ET_BANKI.GRUPOWANIE = 1).

  Grouping: the realized rows of the batch are summed per contractor, contractor
  account, budget classification (PARAGRAF) and debit account (WN). The
  classification and debit account stay apart because a bank that carries
  the paragraph needs one transfer per paragraph and the ledger posts per
  debit account. Rows with no classification form their own group. A split
  payment (MPP = 1) is never grouped: its bank needs its own VAT part, NIP
  and invoice number, so it keeps its row, its title and its VAT part.

  Every group gets the title passed in TRESC (the grouped-transfer title of
  the parameters) as TRESC1. NR_FAKTURY is the invoice number when the group
  holds one invoice, otherwise the numbers joined by ", " while they fit in
  30 characters, ended with "..." when some had to be left out. ID is the
  lowest realized ID of the group. ID_KONTA_FIRMY and ID_DOKUMENTU_FK are
  taken from the rows of the group (one bank and one document per batch).

  The result has the columns of the realized-transfer query, so callers use
  it in its place. A row whose contractor or account no longer exists is left
  out, as in that query.
  DATA_R is the batch date as 'yyyy-mm-dd', KOLEJNY_R its letter.
*/
CREATE PROCEDURE PR_PRZELEWY_GRUPOWANIE (
  DATA_R     VARCHAR(10),
  KOLEJNY_R  CHAR(1),
  TRESC      VARCHAR(15))
RETURNS (
  ID                     INTEGER,
  ID_KONTRAHENTA         INTEGER,
  ID_KONTA_BANK          INTEGER,
  ID_KONTA_FIRMY         INTEGER,
  ID_DOKUMENTU_FK        INTEGER,
  DATA_REALIZACJI        TIMESTAMP,
  KOLEJNY                CHAR(1),
  NR_FAKTURY             VARCHAR(30),
  TRESC1                 VARCHAR(120),
  PARAGRAF               VARCHAR(40),
  WN                     VARCHAR(40),
  WARTOSC                NUMERIC(18,4),
  MPP                    INTEGER,
  KWOTA_VAT              NUMERIC(18,4),
  KONTRAHENT_NAZWA       VARCHAR(255),
  SYMBOL_NAZWA           VARCHAR(20),
  KONTRAHENT_SKROT       VARCHAR(60),
  KONTRAHENT_KONTO       VARCHAR(60),
  KONTRAHENT_NAZWABANKU  VARCHAR(60))
AS
  DECLARE VARIABLE DZIEN DATE;
  DECLARE VARIABLE NUMER VARCHAR(30);
  DECLARE VARIABLE NUMERY VARCHAR(30);
  DECLARE VARIABLE POMINIETO SMALLINT;
  DECLARE VARIABLE WLASNY INTEGER;
BEGIN
  DZIEN = CAST(DATA_R AS DATE);
  FOR SELECT MIN(a.ID), a.ID_KONTRAHENTA, a.ID_KONTA_BANK,
             MAX(a.ID_KONTA_FIRMY), MAX(a.ID_DOKUMENTU_FK),
             MIN(a.DATA_REALIZACJI), a.PARAGRAF, a.WN,
             SUM(a.WARTOSC), MAX(a.MPP), SUM(a.KWOTA_VAT), MAX(a.TRESC1),
             IIF(a.MPP = 1, a.ID, NULL),
             b.PELNA, b.KOD_FK, b.SKROT, c.KONTO, c.NAZWA
        FROM PR_PRZELEWY_ZREALIZOWANE a
        JOIN ET_KONTAKT b ON b.ID = a.ID_KONTRAHENTA
        JOIN ET_BANK_KONTO c ON c.ID = a.ID_KONTA_BANK
       WHERE a.DATA_REALIZACJI >= :DZIEN
         AND a.DATA_REALIZACJI < :DZIEN + 1
         AND a.KOLEJNY = :KOLEJNY_R
       GROUP BY a.ID_KONTRAHENTA, a.ID_KONTA_BANK, a.PARAGRAF, a.WN,
                IIF(a.MPP = 1, a.ID, NULL),
                b.PELNA, b.KOD_FK, b.SKROT, c.KONTO, c.NAZWA
        INTO :ID, :ID_KONTRAHENTA, :ID_KONTA_BANK,
             :ID_KONTA_FIRMY, :ID_DOKUMENTU_FK,
             :DATA_REALIZACJI, :PARAGRAF, :WN,
             :WARTOSC, :MPP, :KWOTA_VAT, :TRESC1,
             :WLASNY,
             :KONTRAHENT_NAZWA, :SYMBOL_NAZWA, :KONTRAHENT_SKROT,
             :KONTRAHENT_KONTO, :KONTRAHENT_NAZWABANKU
  DO
  BEGIN
    KOLEJNY = KOLEJNY_R;
    IF (WLASNY IS NULL) THEN
      TRESC1 = COALESCE(TRESC, '');
    NUMERY = NULL;
    POMINIETO = 0;
    FOR SELECT a.NR_FAKTURY
          FROM PR_PRZELEWY_ZREALIZOWANE a
         WHERE a.DATA_REALIZACJI >= :DZIEN
           AND a.DATA_REALIZACJI < :DZIEN + 1
           AND a.KOLEJNY = :KOLEJNY_R
           AND a.ID_KONTRAHENTA = :ID_KONTRAHENTA
           AND a.ID_KONTA_BANK = :ID_KONTA_BANK
           AND a.WN IS NOT DISTINCT FROM :WN
           AND a.PARAGRAF IS NOT DISTINCT FROM :PARAGRAF
           AND IIF(a.MPP = 1, a.ID, NULL) IS NOT DISTINCT FROM :WLASNY
           AND COALESCE(a.NR_FAKTURY, '') <> ''
         ORDER BY a.ID
          INTO :NUMER
    DO
    BEGIN
      IF (NUMERY IS NULL) THEN
        NUMERY = NUMER;
      ELSE IF (POMINIETO = 0 AND CHAR_LENGTH(NUMERY) + 2 + CHAR_LENGTH(NUMER) <= 30) THEN
        NUMERY = NUMERY || ', ' || NUMER;
      ELSE
        POMINIETO = 1;
    END
    IF (POMINIETO = 1) THEN
    BEGIN
      IF (CHAR_LENGTH(NUMERY) > 27) THEN
        NUMERY = SUBSTRING(NUMERY FROM 1 FOR 27);
      NUMERY = NUMERY || '...';
    END
    NR_FAKTURY = NUMERY;
    SUSPEND;
  END
END^

SET TERM ; ^

COMMIT;
