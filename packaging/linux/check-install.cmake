# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

# Installs the build into a scratch root as a package would, then checks that exactly the
# expected files are there and that the desktop's own validators accept them.
#   cmake -D BUILD_DIR=... -D STAGE=... -D APP_ID=... -D EXPECTED=a;b;c -P check-install.cmake
foreach(variable BUILD_DIR STAGE APP_ID EXPECTED)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "check-install: ${variable} is not set")
  endif()
endforeach()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "check-install: failed (${result}): ${command}")
  endif()
endfunction()

file(REMOVE_RECURSE "${STAGE}")
run(${CMAKE_COMMAND} -E env DESTDIR=${STAGE}
    ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr)

file(GLOB_RECURSE found RELATIVE "${STAGE}/usr" "${STAGE}/*")
list(SORT found)
set(expected ${EXPECTED})
list(SORT expected)
if(NOT found STREQUAL expected)
  list(JOIN found "\n  " found_lines)
  list(JOIN expected "\n  " expected_lines)
  message(FATAL_ERROR "check-install: installed\n  ${found_lines}\nexpected\n  ${expected_lines}")
endif()

# Debian's desktop-file-utils and appstream; scripts/setup.sh installs them.
run(desktop-file-validate "${STAGE}/usr/share/applications/${APP_ID}.desktop")
run(appstreamcli validate --no-net "${STAGE}/usr/share/metainfo/${APP_ID}.metainfo.xml")
run(appstreamcli validate-tree --no-net "${STAGE}")
