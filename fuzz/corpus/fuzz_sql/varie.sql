Select Count(*), Max(Distanza) From Tratte Where SUBSTRING(Protocollo FROM 1 FOR 4) = 'PROT' And TRUE Group By Provincia Having Count(*) > 1 Union Select 1, 2 From PRV
