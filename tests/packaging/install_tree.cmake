# SPDX-License-Identifier: MIT
# cmake -DBUILD_DIR=... -DPREFIX=... -DAPART=... -P install_tree.cmake
# Installs the built program into a fresh PREFIX and builds two MIME databases from the
# installed type, the two ways it meets a desktop:
# - PREFIX/share/mime: merged with the system's types in one database, as the package's
#   install into /usr/share leaves it;
# - APART/share/mime: the type alone, searched before the system's database, as after an
#   install under /usr/local or ~/.local.
file(REMOVE_RECURSE ${PREFIX} ${APART})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install into ${PREFIX} failed: ${status}")
endif()

find_program(UPDATE_MIME_DATABASE update-mime-database)
set(_system_types /usr/share/mime/packages/freedesktop.org.xml)
if(NOT UPDATE_MIME_DATABASE OR NOT EXISTS ${_system_types})
    message(FATAL_ERROR "update-mime-database or ${_system_types} is missing: scripts/install-deps.sh installs them (shared-mime-info)")
endif()
file(COPY ${_system_types} DESTINATION ${PREFIX}/share/mime/packages)
file(COPY ${PREFIX}/share/mime/packages/vellora-ubl.xml DESTINATION ${APART}/share/mime/packages)
foreach(_mime IN ITEMS ${PREFIX}/share/mime ${APART}/share/mime)
    execute_process(COMMAND ${UPDATE_MIME_DATABASE} ${_mime} RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
    if(NOT status EQUAL 0 OR NOT EXISTS ${_mime}/mime.cache)
        message(FATAL_ERROR "update-mime-database ${_mime} failed: ${status}")
    endif()
endforeach()
