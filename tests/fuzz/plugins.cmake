# The plug-in host's handling of what plug-ins return, and the Netpbm plug-in's decoder.
quilmo_add_fuzzer(susie_dib SOURCES susie_dib_fuzzer.cpp LIBS quilmo_input)
quilmo_add_fuzzer(pnm SOURCES pnm_fuzzer.cpp LIBS quilmo_input quilmo_pnm)
# The shipped format plug-ins, each through its exported functions.
foreach(format heif webp tiff jxl)
  quilmo_add_fuzzer(${format}
    SOURCES format_plugin_fuzzer.cpp ${CMAKE_SOURCE_DIR}/plugins/if${format}.cpp ${CMAKE_SOURCE_DIR}/plugins/plugin_entry.cpp
    LIBS quilmo_input quilmo_${format})
endforeach()
