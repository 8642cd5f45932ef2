# Part of the install step: writes readme.htm's place under the prefix being installed to into
# the manual page and installs the page, compressed when gzip is there. Set by the install rule:
# MARVOLEN_MANUAL (the configured page), MARVOLEN_MANUAL_DIR and MARVOLEN_README_DIR (install
# folders, relative to the prefix unless absolute) and MARVOLEN_GZIP (empty without gzip).

function(under_prefix folder result)
  if(IS_ABSOLUTE "${folder}")
    set(${result} "${folder}" PARENT_SCOPE)
  else()
    set(${result} "${CMAKE_INSTALL_PREFIX}/${folder}" PARENT_SCOPE)
  endif()
endfunction()

under_prefix("${MARVOLEN_README_DIR}" readme_dir)
file(READ "${MARVOLEN_MANUAL}" page)
string(REPLACE "@MARVOLEN_README@" "${readme_dir}/readme.htm" page "${page}")

# Beside the configured page in the build folder, under the installed page's name.
set(finished "${MARVOLEN_MANUAL}.installed/marvolen.6")
file(WRITE "${finished}" "${page}")
if(MARVOLEN_GZIP)
  execute_process(COMMAND "${MARVOLEN_GZIP}" -9 -n -f "${finished}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip could not compress the manual page: ${failed}")
  endif()
  string(APPEND finished ".gz")
endif()

under_prefix("${MARVOLEN_MANUAL_DIR}" manual_dir)
file(INSTALL DESTINATION "${manual_dir}" TYPE FILE FILES "${finished}")
