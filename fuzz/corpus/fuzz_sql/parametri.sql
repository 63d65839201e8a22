SELECT CodiceCatastale, NomeComune FROM "/x/ArchivioComuni/KWArchivioComuni.db" WHERE NomeComune LIKE :Nome AND Provincia = :Prv AND Sezione IS NULL
