# Makes the Debian package afresh in OUT from what the build holds (cpack
# installs the build, it does not build): the fixture of the package tests.
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CPACK} -G DEB --config ${CONFIG} -B ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack -G DEB failed (${result})")
endif()
