Select Distinct T.* From "Tratte.db" T, "Combinazioni.db" C Where T.ComunePF1 = C.ComunePF1 And T.SezionePF1 = C.SezionePF1 And T.FoglioPF1 = C.FoglioPF1 And T.PF1 = C.PF1 Order By T.Distanza Desc
