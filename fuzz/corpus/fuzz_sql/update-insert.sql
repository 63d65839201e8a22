Update "Prv.db" Set DataDistribuzione = '', Provincia = :p Where Provincia <> ''; Insert Into PRV (Provincia, DataDistribuzione) Values ('RM', '26/12')
