; Countdown auf der Anzeige: zählt von 10 herunter und zeigt jeden Wert
; mit ANZ an (10, 9, ..., 1, zum Schluss 0).

        LDK 10          ; Akku := 10
schleife:
        ANZ             ; Anzeige := Akku
        SUK 1           ; Akku := Akku - 1
        VRK 0           ; F := Akku > 0
        SPF schleife    ; solange F = 1: zurück zur Schleife
        ANZ             ; zeigt 0
        HLT
