# Lossless JPEG joins, of the coefficients of any bytes.
quilmo_add_fuzzer(lossless_join SOURCES lossless_join_fuzzer.cpp LIBS quilmo_output)
