# The JPEG, PNG and GIF decoders.
foreach(codec jpeg png gif)
  quilmo_add_fuzzer(${codec}_image SOURCES ${codec}_image_fuzzer.cpp LIBS quilmo_input)
  target_include_directories(fuzz_${codec}_image PRIVATE ${CMAKE_SOURCE_DIR}/tests)
endforeach()
