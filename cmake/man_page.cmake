# cmake -DPROGRAM=<built program> -DOUT=<page.1> -DSUMMARY=<one line> -P man_page.cmake
# Makes a program's manual page from its own --help and --version output.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE help_rc)
execute_process(COMMAND ${PROGRAM} --version OUTPUT_VARIABLE version RESULT_VARIABLE version_rc)
if(NOT help_rc EQUAL 0 OR NOT version_rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help or --version failed")
endif()
get_filename_component(name ${PROGRAM} NAME)
string(TOUPPER ${name} title)
string(STRIP "${version}" version)
# roff: backslashes as \e, a line that starts with a dot or quote kept as text.
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "\n." "\n\\&." help "\n${help}")
string(REPLACE "\n'" "\n\\&'" help "${help}")
file(WRITE ${OUT}.part ".TH ${title} 1 \"\" \"${version}\" \"User Commands\"\n"
                       ".SH NAME\n${name} \\- ${SUMMARY}\n"
                       ".SH DESCRIPTION\n.nf${help}.fi\n")
file(RENAME ${OUT}.part ${OUT})
