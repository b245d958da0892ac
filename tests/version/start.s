# Entry point of the fixture executables: they are only read, never run.
	.text
	.globl	start
start:
	ret
