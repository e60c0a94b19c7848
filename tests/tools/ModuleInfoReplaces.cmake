# A relinked bundle gets its moduleinfo.json written again: the tool must replace the file an
# earlier build left, on every system.
file(WRITE "${OUT}" "left by an earlier build")
execute_process(COMMAND ${EMULATOR} "${TOOL}" "${BUNDLE}" "${OUT}"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
file(READ "${OUT}" written)
if(NOT status EQUAL 0 OR NOT written MATCHES "^{.*\"Classes\"")
  message(FATAL_ERROR "moduleinfo.json was not replaced (exit ${status}): ${errors}")
endif()
