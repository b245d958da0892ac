; Ergebnisse mit STA speichern: rechnet mit a, b und c und schreibt jedes
; Ergebnis in eine eigene Zelle.

        LDA a           ; Akku := a
        ADD b           ; + b
        SUB c           ; - c
        STA summe       ; (a + b) - c
        LDA a
        UNK 15          ; a UND 15: die unteren vier Bits
        STA bits
        LDA a
        NEG             ; 1, wenn a gerade, sonst 0
        STA gerade
        AUS summe       ; Anzeige := RAM[summe]
        HLT

        ORG 90
a:      DAT 26
b:      DAT 17
c:      DAT 8
summe:  DAT 0           ; (a + b) - c
bits:   DAT 0           ; a UND 15
gerade: DAT 0           ; 1, wenn a gerade ist
