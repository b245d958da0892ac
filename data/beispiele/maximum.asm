; Maximum zweier Zahlen: schreibt die größere von a und b nach max
; und zeigt sie an.

        LDA a           ; Akku := a
        VKL b           ; F := a < b
        SNF merken      ; a ist nicht kleiner: a behalten
        LDA b           ; sonst Akku := b
merken: STA max         ; max := Akku
        ANZ
        HLT

        ORG 20
a:      DAT 37
b:      DAT 85
max:    DAT 0
