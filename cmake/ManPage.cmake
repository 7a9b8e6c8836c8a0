# Writes a man page from its template (cmake -P): IN, OUT, PROJECT_VERSION, SORAMI_RELEASE_DATE,
# CMAKE_INSTALL_FULL_DATADIR, and CLI, the command-line program whose usage text becomes the list
# of commands, so the page names every command the program has.
file(READ "${IN}" page)
if(DEFINED CLI)
  execute_process(COMMAND "${CLI}" --help OUTPUT_VARIABLE usage RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CLI} --help failed: ${status}")
  endif()
  # The commands start after the line "コマンド:".
  string(FIND "${usage}" "コマンド:\n" start)
  if(start GREATER_EQUAL 0)
    string(LENGTH "コマンド:\n" skip)
    math(EXPR start "${start} + ${skip}")
    string(SUBSTRING "${usage}" ${start} -1 usage)
  endif()
  string(REPLACE "\\" "\\e" usage "${usage}")
  string(REPLACE "-" "\\-" usage "${usage}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" usage "${usage}")
  string(REGEX REPLACE "\n$" "" SORAMI_CLI_USAGE "${usage}")
endif()
string(CONFIGURE "${page}" page @ONLY)
# Japanese text has no spaces for the formatter to break a line at; it may break after a comma
# or a full stop.
string(REPLACE "、" "、\\:" page "${page}")
string(REPLACE "。" "。\\:" page "${page}")
file(WRITE "${OUT}" "${page}")
