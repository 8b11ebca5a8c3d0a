# Installs what Scanbench ships besides its programs: the user manual, the
# example programs, the board descriptions and the desktop integration (MIME
# type, desktop entry, icon, AppStream metadata). The programs install
# themselves from their own folders; cmake/Package.cmake adds what the Debian
# package needs besides (copyright, changelog, manual pages).
#
# Included once from the top-level CMakeLists.txt:
#     include(cmake/Install.cmake)
#
# Layout under the install prefix (GNU directories):
#     share/doc/scanbench/scanbench.html                the manual (Help opens it)
#     share/scanbench/examples/*.bst                    the example programs
#     share/scanbench/examples/lessons/*.bst            the lessons for the demo board
#     share/scanbench/gtkwave-tap-states.txt            GTKWave filter naming the TAP states
#     share/scanbench/bsdl/, share/scanbench/boards/    BSDL files and board files
#     share/mime/packages/scanbench.xml                 the .bst MIME type
#     share/applications/scanbench.desktop              the desktop entry (GUI builds)
#     share/icons/hicolor/scalable/apps/scanbench.svg   the icon (GUI builds)
#     share/metainfo/org.example.scanbench.metainfo.xml software centres' entry (GUI builds)

include(GNUInstallDirs)

cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH SCANBENCH_SOURCE_ROOT)

install(FILES "${SCANBENCH_SOURCE_ROOT}/docs/scanbench.html"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}"
        COMPONENT Documentation)

# A directory rule rather than a list made at configure time, so an example
# added later is installed without configuring again; it takes the folders
# below (lessons/) along, with the board and BSDL files a lesson may bring.
install(DIRECTORY "${SCANBENCH_SOURCE_ROOT}/examples/"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/scanbench/examples"
        COMPONENT Documentation
        FILES_MATCHING PATTERN "*.bst" PATTERN "*.json" PATTERN "*.bsd")

# Shows the TAP state vectors of the value change dumps by name in GTKWave.
install(FILES "${SCANBENCH_SOURCE_ROOT}/data/gtkwave-tap-states.txt"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/scanbench"
        COMPONENT Documentation)

# The chips' BSDL files and the board files, side by side as in data/ so that
# a board file's relative paths to its BSDL files hold where installed too.
# Whole folders, each only when the source tree has it.
foreach(folder IN ITEMS bsdl boards)
  install(DIRECTORY "${SCANBENCH_SOURCE_ROOT}/data/${folder}"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/scanbench"
          COMPONENT Documentation
          OPTIONAL)
endforeach()

install(FILES "${SCANBENCH_SOURCE_ROOT}/data/scanbench-mime.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages"
        RENAME scanbench.xml
        COMPONENT Desktop)

# Values the install-time steps below need, fixed when configuring.
install(CODE "
  set(SCANBENCH_DESKTOP_TEMPLATE \"${SCANBENCH_SOURCE_ROOT}/data/scanbench.desktop.in\")
  set(SCANBENCH_DESKTOP_STAGED \"${CMAKE_CURRENT_BINARY_DIR}/data/scanbench.desktop\")
  set(SCANBENCH_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(SCANBENCH_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
" COMPONENT Desktop)

# Relative directories are taken under the prefix given when installing
# (which "cmake --install --prefix DIR" may change), absolute ones as they are.
install(CODE [==[
  foreach(SCANBENCH_DIR IN ITEMS SCANBENCH_BINDIR SCANBENCH_DATADIR)
    if(NOT IS_ABSOLUTE "${${SCANBENCH_DIR}}")
      set(${SCANBENCH_DIR} "${CMAKE_INSTALL_PREFIX}/${${SCANBENCH_DIR}}")
    endif()
  endforeach()
]==] COMPONENT Desktop)

# The desktop entry and the icon belong to the window program, which is only
# there when the GUI is built.
if(NOT DEFINED SCANBENCH_BUILD_GUI OR SCANBENCH_BUILD_GUI)
  install(FILES "${SCANBENCH_SOURCE_ROOT}/data/scanbench.svg"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
          COMPONENT Desktop)
  install(FILES "${SCANBENCH_SOURCE_ROOT}/data/org.example.scanbench.metainfo.xml"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo"
          COMPONENT Desktop)

  # The entry names the installed program by its full path, worked out when
  # installing so that it points into the prefix actually used.
  install(CODE [==[
    set(SCANBENCH_PROGRAM "${SCANBENCH_BINDIR}/scanbench")

    # Exec= quoting of the desktop entry format: a path holding a reserved
    # character goes in double quotes, with ", `, $ and \ escaped inside;
    # a "%" is doubled; then the value as a whole escapes its backslashes.
    set(SCANBENCH_EXEC "${SCANBENCH_PROGRAM}")
    string(REPLACE "%" "%%" SCANBENCH_EXEC "${SCANBENCH_EXEC}")
    if(SCANBENCH_EXEC MATCHES "[] \t\"'\\><~|&;$*?#()`[]")
      string(REGEX REPLACE "([\"`$\\])" "\\\\\\1" SCANBENCH_EXEC "${SCANBENCH_EXEC}")
      set(SCANBENCH_EXEC "\"${SCANBENCH_EXEC}\"")
    endif()
    string(REPLACE "\\" "\\\\" SCANBENCH_EXEC "${SCANBENCH_EXEC}")
    string(REPLACE "\\" "\\\\" SCANBENCH_TRYEXEC "${SCANBENCH_PROGRAM}")

    configure_file("${SCANBENCH_DESKTOP_TEMPLATE}" "${SCANBENCH_DESKTOP_STAGED}" @ONLY)
    file(INSTALL DESTINATION "${SCANBENCH_DATADIR}/applications" TYPE FILE
         FILES "${SCANBENCH_DESKTOP_STAGED}")
  ]==] COMPONENT Desktop)
endif()

# Refresh the MIME and desktop databases of the prefix when installing
# straight onto the system. Staged installs (DESTDIR, as packaging uses) skip
# this: the package manager's triggers do it on the target system.
install(CODE [==[
  if("$ENV{DESTDIR}" STREQUAL "")
    find_program(SCANBENCH_UPDATE_MIME update-mime-database)
    if(SCANBENCH_UPDATE_MIME)
      execute_process(COMMAND "${SCANBENCH_UPDATE_MIME}" "${SCANBENCH_DATADIR}/mime"
                      OUTPUT_QUIET ERROR_QUIET)
    endif()
    find_program(SCANBENCH_UPDATE_DESKTOP update-desktop-database)
    if(SCANBENCH_UPDATE_DESKTOP AND EXISTS "${SCANBENCH_DATADIR}/applications/scanbench.desktop")
      execute_process(COMMAND "${SCANBENCH_UPDATE_DESKTOP}" "${SCANBENCH_DATADIR}/applications"
                      OUTPUT_QUIET ERROR_QUIET)
    endif()
  endif()
]==] COMPONENT Desktop)
