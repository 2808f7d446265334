-- Biała lista podatników VAT: wspólny folder wczytanych plików płaskich dla wszystkich stanowisk
-- Rows of RE_PARAMETRY from before read NULL: the program takes {DANE}/bialalista.

SET TERM ^ ;

EXECUTE BLOCK AS
BEGIN
  IF (NOT EXISTS (SELECT 1 FROM RDB$RELATION_FIELDS
                  WHERE RDB$RELATION_NAME = 'RE_PARAMETRY' AND RDB$FIELD_NAME = 'SCIEZKA_BIALEJ_LISTY')) THEN
    EXECUTE STATEMENT 'ALTER TABLE RE_PARAMETRY ADD SCIEZKA_BIALEJ_LISTY VARCHAR(200) DEFAULT ''{DANE}/bialalista''';
END^

SET TERM ; ^
