; Ganzzahlige Division mit Rest durch fortgesetzte Subtraktion:
; dividend : divisor = quotient Rest rest.

        LDK 0
        STA quotient    ; quotient := 0
schleife:
        LDA dividend
        VKL divisor     ; F := rest < divisor
        SPF fertig      ; fertig, wenn rest < divisor
        SUB divisor     ; rest := rest - divisor
        STA dividend
        LDA quotient
        ADK 1           ; quotient := quotient + 1
        STA quotient
        SPR schleife
fertig: LDA dividend
        STA rest        ; Rest nach "rest"
        LDA quotient
        ANZ             ; Quotient anzeigen
        HLT

        ORG 50
dividend: DAT 100       ; danach der Rest
divisor:  DAT 7         ; nicht 0, sonst endet die Schleife nie
quotient: DAT 0
rest:     DAT 0
