# The installed layout (GNUInstallDirs): programs in bin/, helper programs in a private
# folder, libexec/zephyrane/. The programs find their helpers relative to their own
# executable: ZEP_HELPERS_FROM_BINDIR is that folder seen from bin/ ("../libexec/zephyrane").
# The build tree keeps the same relation for build/app/zephyrane: ZEP_BUILD_HELPERS_DIR.
include(GNUInstallDirs)
set(ZEP_INSTALL_HELPERS_DIR ${CMAKE_INSTALL_LIBEXECDIR}/zephyrane)
file(RELATIVE_PATH ZEP_HELPERS_FROM_BINDIR
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBEXECDIR}/zephyrane)
cmake_path(ABSOLUTE_PATH ZEP_HELPERS_FROM_BINDIR BASE_DIRECTORY ${CMAKE_BINARY_DIR}/app
  NORMALIZE OUTPUT_VARIABLE ZEP_BUILD_HELPERS_DIR)
set(ZEP_FULL_HELPERS_DIR ${CMAKE_INSTALL_FULL_LIBEXECDIR}/zephyrane)

# zep_install_program(TARGET): installs a program in bin/ with its manual page
# (docs/man/TARGET.1.in, which carries the version and the helper folder).
function(zep_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  configure_file(${CMAKE_SOURCE_DIR}/docs/man/${target}.1.in ${CMAKE_BINARY_DIR}/man/${target}.1 @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/man/${target}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
