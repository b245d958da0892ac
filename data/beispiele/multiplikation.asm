; Multiplikation durch fortgesetzte Addition: produkt := a * b,
; indem b-mal a zum Produkt addiert wird.

        LDK 0
        STA produkt     ; produkt := 0
schleife:
        LDA b
        VGK 0           ; F := b = 0
        SPF fertig      ; fertig, wenn b = 0
        LDA produkt
        ADD a           ; produkt := produkt + a
        STA produkt
        LDA b
        SUK 1           ; b := b - 1
        STA b
        SPR schleife
fertig: LDA produkt
        ANZ             ; Produkt anzeigen
        HLT

        ORG 40
a:      DAT 7
b:      DAT 6           ; wird heruntergezählt
produkt: DAT 0
