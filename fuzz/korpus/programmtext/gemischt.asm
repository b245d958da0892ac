ORG 127
HLT
HLTx: x: ZELLE "a""
	ADD 1 2 ; "
k: LDA k
Mäh 999
DAT 65536
ORG y
y:
01.002
zelle ""
