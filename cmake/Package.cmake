# The Debian package: `cpack -G DEB` in a build folder configured with
# CMAKE_INSTALL_PREFIX=/usr and SCANBENCH_DEBIAN_PACKAGE=ON packs what the
# install rules put there into scanbench_<version>_<arch>.deb.
# scripts/package.sh does all of it.
#
# Included once from the top-level CMakeLists.txt, after the install rules:
#     include(cmake/Package.cmake)
#
# Besides the programs and the files of cmake/Install.cmake the package
# carries what Debian asks of every package: a copyright file in the
# machine-readable format, a changelog and a manual page for each program,
# the last two compressed as Debian keeps them.

include(GNUInstallDirs)

cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH SCANBENCH_SOURCE_ROOT)
set(SCANBENCH_PACKAGING_DIR "${SCANBENCH_SOURCE_ROOT}/packaging")

install(FILES "${SCANBENCH_PACKAGING_DIR}/copyright"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}"
        COMPONENT Documentation)

# Manual pages and the changelog are installed compressed with gzip -9n (no
# name or time stamp inside, so the same sources give the same package).
set(SCANBENCH_GZIPPED)
function(scanbench_install_gzipped source destination)
  cmake_path(GET source FILENAME name)
  set(gzipped "${CMAKE_CURRENT_BINARY_DIR}/gzipped/${name}.gz")
  add_custom_command(OUTPUT "${gzipped}"
                     COMMAND gzip -9nc "${SCANBENCH_SOURCE_ROOT}/${source}" > "${gzipped}"
                     DEPENDS "${SCANBENCH_SOURCE_ROOT}/${source}"
                     COMMENT "Compressing ${source}"
                     VERBATIM)
  install(FILES "${gzipped}" DESTINATION "${destination}" COMPONENT Documentation)
  set(SCANBENCH_GZIPPED ${SCANBENCH_GZIPPED} "${gzipped}" PARENT_SCOPE)
endfunction()
scanbench_install_gzipped(docs/man/scanbench.1 "${CMAKE_INSTALL_MANDIR}/man1")
scanbench_install_gzipped(docs/man/scanbench-run.1 "${CMAKE_INSTALL_MANDIR}/man1")
scanbench_install_gzipped(packaging/changelog "${CMAKE_INSTALL_DOCDIR}")
add_custom_target(scanbench_gzipped_docs ALL DEPENDS ${SCANBENCH_GZIPPED})

option(SCANBENCH_DEBIAN_PACKAGE
       "Install what only the Debian package carries (doc-base entry, Lintian overrides)" OFF)
if(SCANBENCH_DEBIAN_PACKAGE)
  # The Debian documents index for the manual (read where doc-base is installed).
  install(FILES "${SCANBENCH_PACKAGING_DIR}/scanbench.doc-base"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/doc-base"
          RENAME scanbench-manual
          COMPONENT Documentation)
  # Tags that Lintian reports on the package and that stay, each with its reason.
  install(FILES "${SCANBENCH_PACKAGING_DIR}/lintian-overrides"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides"
          RENAME scanbench
          COMPONENT Documentation)
endif()

# A stripped install (CPack's) strips the programs as dh_strip does, without
# the compiler's .comment and .note sections either. SCANBENCH_BINDIR comes
# from cmake/Install.cmake; the programs were installed before this runs.
install(CODE "set(SCANBENCH_STRIP \"${CMAKE_STRIP}\")")
install(CODE [==[
  if(CMAKE_INSTALL_DO_STRIP AND SCANBENCH_STRIP)
    foreach(program IN ITEMS scanbench scanbench-run)
      set(installed "$ENV{DESTDIR}${SCANBENCH_BINDIR}/${program}")
      if(EXISTS "${installed}")
        execute_process(COMMAND "${SCANBENCH_STRIP}" --remove-section=.comment
                                --remove-section=.note "${installed}"
                        COMMAND_ERROR_IS_FATAL ANY)
      endif()
    endforeach()
  endif()
]==])

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scanbench)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Scanbench developers")
set(CPACK_PACKAGE_CONTACT "The Scanbench developers <scanbench@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teaching tool for IEEE 1149.1 boundary scan")
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Scanbench lets students write small boundary-scan test programs (.bst
files), run them statement by statement or at full speed on models of two
TAP controllers, and watch the result as waveforms, TAP state diagrams, an
event list and the received bitstreams.
.
The signals drive a PC parallel port wired to a real board, or a simulated
board of IEEE 1149.1 chips with switches and LEDs. Runs can be exported as
value change dumps for GTKWave and as SVF programs, and the simulated board
can be served to OpenOCD over remote_bitbang.
.
The package holds the window program scanbench, the headless runner
scanbench-run, the user manual, example programs and lessons.]=])
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The package's dependencies are the libraries the programs are linked with,
# as dpkg-shlibdeps finds them, so they follow the build machine's Qt.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Help opens the manual in the desktop's browser through xdg-open; the value
# change dumps and SVF programs are for GTKWave and OpenOCD.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gtkwave, openocd")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
# The install rules run with DESTDIR set to the staging folder and the real
# prefix, as a packager's "make install DESTDIR=..." does: the desktop entry
# then names /usr/bin/scanbench, not the staging folder, and the MIME and
# desktop databases are left to the target system's triggers.
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
# Folders as Debian wants them (0755), whatever the packager's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
