; Summe 1 + 2 + ... + n. n steht in der Zelle "n" (ausgeliefert: 10);
; das Programm addiert n, n - 1, ..., 1 in die Zelle "summe".

        LDK 0
        STA summe       ; summe := 0
schleife:
        LDA summe
        ADD n           ; summe := summe + i
        STA summe
        LDA n
        SUK 1           ; i := i - 1
        STA n
        VRK 0           ; F := i > 0
        SPF schleife    ; weiter, solange i > 0
        LDA summe
        ANZ             ; Summe anzeigen
        HLT

        ORG 30
summe:  DAT 0
n:      DAT 10          ; n, danach der Zähler i
