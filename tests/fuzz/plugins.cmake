# The plug-in host's handling of what plug-ins return, and the Netpbm plug-in's decoder.
quilmo_add_fuzzer(susie_dib SOURCES susie_dib_fuzzer.cpp LIBS quilmo_input)
quilmo_add_fuzzer(pnm SOURCES pnm_fuzzer.cpp LIBS quilmo_input quilmo_pnm)
