-- Przelewy w mechanizmie podzielonej płatności nie są grupowane w zbiorze bankowym
-- Its own script: the procedure reads the columns that 008 adds, which the
-- engine makes usable only once that script is committed.

SET TERM ^ ;

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
CREATE OR ALTER PROCEDURE PR_PRZELEWY_GRUPOWANIE (
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
