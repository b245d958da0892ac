; ✓ UTF-8
mÄH€ 1
