# Runs Doxygen with DOXYFILE, whose warnings go to OUTPUT/warnings.log, and reports the
# public classes, structs and namespaces that have no doc comment, and doc comments Doxygen
# cannot read (unknown commands, links to nothing, bad markup). With CHECK they fail the run
# (the test); without, they are printed as warnings (the docs target). Undocumented
# members are listed in the reference all the same and only logged.
#
#   cmake -DDOXYGEN=doxygen -DDOXYFILE=Doxyfile -DOUTPUT=dir [-DCHECK=ON] -P RunDoxygen.cmake
foreach(variable DOXYGEN DOXYFILE OUTPUT)
  if(NOT ${variable})
    message(FATAL_ERROR "RunDoxygen.cmake needs -D${variable}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${OUTPUT}/html)
file(MAKE_DIRECTORY ${OUTPUT})
file(REMOVE ${OUTPUT}/warnings.log)
execute_process(COMMAND ${DOXYGEN} ${DOXYFILE}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "doxygen failed (${result}):\n${output}")
endif()
if(NOT EXISTS ${OUTPUT}/html/index.html)
  message(FATAL_ERROR "doxygen wrote no ${OUTPUT}/html/index.html:\n${output}")
endif()

set(warnings "")
if(EXISTS ${OUTPUT}/warnings.log)
  file(STRINGS ${OUTPUT}/warnings.log warnings)
endif()
set(undocumented "")
set(member_count 0)
set(other "")
foreach(line IN LISTS warnings)
  if(line MATCHES "warning: Compound .* is not documented")
    list(APPEND undocumented "${line}")
  elseif(line MATCHES "warning: Member .* is not documented")
    math(EXPR member_count "${member_count} + 1")
  elseif(line MATCHES "warning:")
    list(APPEND other "${line}")
  endif()
endforeach()

list(LENGTH undocumented undocumented_count)
list(JOIN undocumented "\n" undocumented_text)
list(LENGTH other other_count)
list(JOIN other "\n" other_text)
set(report "")
if(other_count GREATER 0)
  string(APPEND report "${other_count} doc comment(s) Doxygen cannot read:\n${other_text}\n")
endif()
if(undocumented_count GREATER 0)
  string(APPEND report "${undocumented_count} public class(es) or namespace(s) without a doc comment:\n${undocumented_text}\n")
endif()
if(report)
  if(CHECK)
    message(FATAL_ERROR "${report}")
  endif()
  message(WARNING "${report}")
endif()
message(STATUS "API reference: ${OUTPUT}/html/index.html (${member_count} undocumented members listed in ${OUTPUT}/warnings.log)")
