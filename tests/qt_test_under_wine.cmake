# Runs a Qt Test program of the Windows build under Wine and passes its log on. Under Wine the
# program finds no console and Qt Test would write its log to the debugger alone, so the log goes
# to a file that this script prints.
#   cmake -DWINE=... -DPROGRAM=...exe -DLOG=...txt -P qt_test_under_wine.cmake
file(REMOVE ${LOG})
execute_process(COMMAND ${WINE} ${PROGRAM} -o "Z:${LOG},txt" RESULT_VARIABLE status)
if(EXISTS ${LOG})
  file(READ ${LOG} log)
  message("${log}")
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM}: ${status}")
endif()
