-- Indeks numerów pozycji dekretów dokumentu księgowego
-- The next line number of a document is read from the top of this index.
SET TERM ^ ;
EXECUTE BLOCK AS
BEGIN
  IF (NOT EXISTS (SELECT 1 FROM RDB$INDICES WHERE RDB$INDEX_NAME = 'IX_FK_DEKRETY_LP')) THEN
    EXECUTE STATEMENT 'CREATE DESCENDING INDEX IX_FK_DEKRETY_LP ON FK_DEKRETY (ID_DOKUMENTU, LP)';
END^
SET TERM ; ^
