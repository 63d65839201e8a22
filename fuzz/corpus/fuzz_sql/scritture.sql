Delete From TRATTE.DB Where Provincia = 'RM' And ID_001_TABLE > 1
