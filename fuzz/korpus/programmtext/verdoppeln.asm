; Schleife, die das Flag steuert (VGR): verdoppelt x = 1 so lange, bis x
; die Grenze übersteigt; jeder Zwischenwert erscheint auf der Anzeige.

        LDK 1
        STA x           ; x := 1
schleife:
        ANZ             ; x anzeigen
        ADD x           ; Akku := x + x
        STA x
        VGR grenze      ; F := x > grenze
        SNF schleife    ; weiter, solange x <= grenze
        ANZ
        HLT

        ORG 80
x:      DAT 0
grenze: DAT 100
