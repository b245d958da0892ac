; Summe einer Tabelle mit LDI: addiert die fünf Zahlen der Tabelle.
; Der Zeiger läuft über die Tabelle; LDI lädt die Zelle, deren Adresse
; im Akku steht.

        LDK tabelle
        STA zeiger      ; zeiger := Anfang der Tabelle
        LDK 0
        STA summe       ; summe := 0
schleife:
        LDA zeiger
        LDI             ; Akku := RAM[zeiger]
        ADD summe
        STA summe       ; summe := summe + RAM[zeiger]
        LDA zeiger
        ADK 1
        STA zeiger      ; zeiger := zeiger + 1
        VKK ende        ; F := zeiger < Ende der Tabelle
        SPF schleife
        LDA summe
        ANZ             ; Summe anzeigen
        HLT

        ORG 60
tabelle: DAT 12
        DAT 7
        DAT 30
        DAT 5
        DAT 46
ende:   DAT 0           ; die erste Zelle hinter der Tabelle

        ORG 70
zeiger: DAT 0
summe:  DAT 0
