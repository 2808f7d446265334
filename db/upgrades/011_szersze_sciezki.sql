-- Foldery plików banków, importu i białej listy mieszczą długie ścieżki (do 255 znaków)
-- The data folder of a workstation replaces {DANE} in these paths; a long home
-- folder did not fit the 60 characters they had. Widening keeps every row.
SET TERM ^ ;
EXECUTE BLOCK AS
  DECLARE tabela VARCHAR(63);
  DECLARE kolumna VARCHAR(63);
BEGIN
  FOR SELECT TRIM(r.RDB$RELATION_NAME), TRIM(r.RDB$FIELD_NAME)
      FROM RDB$RELATION_FIELDS r JOIN RDB$FIELDS f ON f.RDB$FIELD_NAME = r.RDB$FIELD_SOURCE
      WHERE f.RDB$CHARACTER_LENGTH < 255
        AND TRIM(r.RDB$RELATION_NAME) || '.' || TRIM(r.RDB$FIELD_NAME) IN ('ET_BANKI.SCIEZKA_PRZELEWOW',
            'RE_PARAMETRY.SCIEZKA_IMPORTU_PRZELEWOW', 'RE_PARAMETRY.SCIEZKA_IMPORTU_FAKTUR',
            'RE_PARAMETRY.SCIEZKA_BIALEJ_LISTY')
      INTO :tabela, :kolumna
  DO
    EXECUTE STATEMENT 'ALTER TABLE ' || tabela || ' ALTER ' || kolumna || ' TYPE VARCHAR(255)';
END^
SET TERM ; ^
