; Langer Lauf für Messungen: drei verschachtelte Zählschleifen. Außen 13
; Durchläufe (Zähler "aussen", auf der Anzeige), in der Mitte je 255
; ("mitte"), innen je 255 (im Akku).

        LDK 13
        STA aussen      ; aussen := 13
aussenschleife:
        LDA aussen
        ANZ             ; aussen anzeigen
        LDK 255
        STA mitte       ; mitte := 255
mittelschleife:
        LDK 255         ; Akku := 255
innenschleife:
        SUK 1           ; Akku := Akku - 1
        VRK 0
        SPF innenschleife
        LDA mitte
        SUK 1
        STA mitte       ; mitte := mitte - 1
        VRK 0
        SPF mittelschleife
        LDA aussen
        SUK 1
        STA aussen      ; aussen := aussen - 1
        VRK 0
        SPF aussenschleife
        ANZ             ; zeigt 0
        HLT

        ORG 100
aussen: DAT 0
mitte:  DAT 0
